#include "RecordFile.h"

#include <QFile>
#include <QStringList>

namespace RecordFile {

std::variant<PerTerminal, QString> parse(const QString &text, int terminals)
{
    PerTerminal result(std::size_t(std::max(0, terminals)));
    if (terminals < 1)
        return result;
    int nextTerminal = 0;
    const QStringList lines = text.split(QLatin1Char('\n'));
    for (int i = 0; i < lines.size(); ++i) {
        const QString line = lines[i].trimmed();
        if (line.isEmpty() || line.startsWith(QLatin1Char('#')))
            continue;
        const auto fail
            = [&](const QString &why) { return QStringLiteral("line %1: %2").arg(i + 1).arg(why); };

        QString hex = line;
        int terminal = -1;
        const qsizetype colon = line.indexOf(QLatin1Char(':'));
        if (colon >= 0) {
            bool ok = false;
            const int address = line.left(colon).trimmed().toInt(&ok);
            if (!ok || address < 1 || address > terminals)
                return fail(QStringLiteral("terminal address must be 1..%1").arg(terminals));
            terminal = address - 1;
            hex = line.mid(colon + 1);
        } else {
            terminal = nextTerminal;
            nextTerminal = (nextTerminal + 1) % terminals;
        }
        const auto record = TerminalRecord::fromHex(hex);
        if (!record)
            return fail(QStringLiteral("expected %1 bytes as hex pairs").arg(TerminalRecord::kSize));
        result[std::size_t(terminal)].push_back(*record);
    }
    return result;
}

std::variant<PerTerminal, QString> read(const QString &path, int terminals)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return QStringLiteral("%1: %2").arg(path, file.errorString());
    const auto parsed = parse(QString::fromLatin1(file.readAll()), terminals);
    if (const auto *error = std::get_if<QString>(&parsed))
        return QStringLiteral("%1: %2").arg(path, *error);
    return parsed;
}

} // namespace RecordFile
