#include "platform/qt/ComPorts.h"

#include "platform/Paths.h"

#include <QFileInfo>

namespace ComPorts {

namespace {
const QString kPrefix = QStringLiteral("COM");
}

QString linkPath(const QString &programFolder, int number)
{
    return joinPath(programFolder, QStringLiteral("ports/") + kPrefix + QString::number(number));
}

QString device(const QString &programFolder, int number)
{
    if (number <= 0)
        return {};
#ifdef Q_OS_WIN
    Q_UNUSED(programFolder);
    return kPrefix + QString::number(number);
#else
    const QFileInfo link(linkPath(programFolder, number));
    if (!link.isSymLink())
        return {};
    // Follows every link on the way (/dev/serial/by-id/... -> /dev/ttyUSB0), so the lock file
    // that keeps a second program off the port is named after the device itself.
    return link.canonicalFilePath();
#endif
}

std::optional<int> numberOf(const QString &name)
{
    if (!name.startsWith(kPrefix) || name.size() == kPrefix.size())
        return std::nullopt;
    const QStringView digits = QStringView(name).mid(kPrefix.size());
    if (digits.front() == u'0') // COM03 would name a second link to COM3
        return std::nullopt;
    for (const QChar c : digits)
        if (c < u'0' || c > u'9')
            return std::nullopt;
    const int number = digits.toInt(); // 0 when there are too many digits
    if (number < 1)
        return std::nullopt;
    return number;
}

} // namespace ComPorts
