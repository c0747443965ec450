#include "platform/LineSettings.h"

#include <QStringList>

std::optional<LineSettings> LineSettings::parse(const QString &text)
{
    const QStringList parts = text.split(u',');
    if (parts.size() != 4)
        return std::nullopt;
    LineSettings line;
    line.baudRate = parts[0].trimmed().toInt(); // 0 when it is no number
    if (line.baudRate <= 0)
        return std::nullopt;

    const QString parity = parts[1].trimmed().toUpper();
    if (parity == u"N")
        line.parity = Parity::None;
    else if (parity == u"E")
        line.parity = Parity::Even;
    else if (parity == u"O")
        line.parity = Parity::Odd;
    else if (parity == u"M")
        line.parity = Parity::Mark;
    else if (parity == u"S")
        line.parity = Parity::Space;
    else
        return std::nullopt;

    line.dataBits = parts[2].trimmed().toInt();
    if (line.dataBits < 5 || line.dataBits > 8)
        return std::nullopt;

    const QString stop = parts[3].trimmed();
    if (stop == u"1")
        line.stopBits = StopBits::One;
    else if (stop == u"1.5")
        line.stopBits = StopBits::OneAndHalf;
    else if (stop == u"2")
        line.stopBits = StopBits::Two;
    else
        return std::nullopt;
    return line;
}

PortError makePortError(PortErrorNumber number, const QString &description)
{
    return PortError{int(number), description, QStringLiteral("PC Vimo 2")};
}
