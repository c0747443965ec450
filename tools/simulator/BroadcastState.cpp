#include "BroadcastState.h"

#include "platform/Codec1252.h"

#include <QJsonArray>
#include <QStringList>

namespace {

QString minutesText(const std::optional<int> &minutes)
{
    if (!minutes)
        return QStringLiteral("-");
    return QStringLiteral("%1 min (%2:%3)")
        .arg(*minutes)
        .arg(*minutes / 60, 2, 10, QLatin1Char('0'))
        .arg(*minutes % 60, 2, 10, QLatin1Char('0'));
}

QJsonValue optionalNumber(const std::optional<int> &value)
{
    return value ? QJsonValue(*value) : QJsonValue();
}

template<std::size_t N> QJsonArray namesJson(const std::array<std::optional<QByteArray>, N> &names)
{
    QJsonArray array;
    for (const auto &name : names)
        array.append(name ? QJsonValue(BroadcastState::nameText(*name)) : QJsonValue());
    return array;
}
} // namespace

std::optional<QString> BroadcastState::apply(const Packet::FaFrame &packet)
{
    if (packet.address != Packet::kBroadcastAddress)
        return std::nullopt;
    const int word = packet.high * 256 + packet.low;
    switch (Packet::Command(packet.command)) {
    case Packet::Command::TemperatureChoice:
        temperatureChoice = word;
        ++itemsReceived;
        return QStringLiteral("temperature choice %1").arg(word);
    case Packet::Command::Interval1:
        interval1 = packet.value();
        ++itemsReceived;
        return QStringLiteral("interval 1 %1").arg(minutesText(interval1));
    case Packet::Command::Duration1:
        duration1 = packet.value();
        ++itemsReceived;
        return QStringLiteral("duration 1 %1").arg(minutesText(duration1));
    case Packet::Command::Interval2:
        interval2 = packet.value();
        ++itemsReceived;
        return QStringLiteral("interval 2 %1").arg(minutesText(interval2));
    default:
        return std::nullopt;
    }
}

std::optional<QString> BroadcastState::apply(const Packet::FcFrame &packet)
{
    if (packet.address != Packet::kBroadcastAddress)
        return std::nullopt;
    const auto *data = packet.data.data();
    const auto nameOf = [data] { return QByteArray(reinterpret_cast<const char *>(data) + 1, kNameLength); };
    switch (Packet::Command(packet.command)) {
    case Packet::Command::Clock:
        if (packet.count != 5)
            break;
        clock = std::array<std::uint8_t, 5>{data[0], data[1], data[2], data[3], data[4]};
        ++itemsReceived;
        return QStringLiteral("clock %1").arg(clockText(*clock));
    case Packet::Command::StaffName:
        if (packet.count != 1 + kNameLength || data[0] >= kStaffEntries)
            break;
        staff[data[0]] = nameOf();
        ++itemsReceived;
        return QStringLiteral("staff %1 \"%2\"").arg(data[0]).arg(nameText(*staff[data[0]]));
    case Packet::Command::MedicineName:
        if (packet.count != 1 + kNameLength || data[0] >= kMedicineEntries)
            break;
        medicine[data[0]] = nameOf();
        ++itemsReceived;
        return QStringLiteral("medicine %1 \"%2\"").arg(data[0]).arg(nameText(*medicine[data[0]]));
    default:
        return std::nullopt;
    }
    ++malformed;
    return QStringLiteral("malformed broadcast, command %1 with %2 data bytes")
        .arg(packet.command)
        .arg(packet.count);
}

QString BroadcastState::clockText(const std::array<std::uint8_t, 5> &bytes)
{
    return QStringLiteral("%1-%2-%3 %4:%5")
        .arg(2000 + bytes[0])
        .arg(bytes[1], 2, 10, QLatin1Char('0'))
        .arg(bytes[2], 2, 10, QLatin1Char('0'))
        .arg(bytes[3], 2, 10, QLatin1Char('0'))
        .arg(bytes[4], 2, 10, QLatin1Char('0'));
}

QString BroadcastState::nameText(const QByteArray &bytes)
{
    return Codec1252::decode(bytes);
}

QString BroadcastState::toText() const
{
    QStringList lines;
    lines << QStringLiteral("clock: %1").arg(clock ? clockText(*clock) : QStringLiteral("-"));
    for (int i = 0; i < kStaffEntries; ++i) {
        if (staff[std::size_t(i)])
            lines << QStringLiteral("staff %1: \"%2\"").arg(i).arg(nameText(*staff[std::size_t(i)]));
    }
    for (int i = 0; i < kMedicineEntries; ++i) {
        if (medicine[std::size_t(i)])
            lines << QStringLiteral("medicine %1: \"%2\"").arg(i).arg(nameText(*medicine[std::size_t(i)]));
    }
    lines << QStringLiteral("temperature choice: %1")
                 .arg(temperatureChoice ? QString::number(*temperatureChoice) : QStringLiteral("-"));
    lines << QStringLiteral("interval 1: %1").arg(minutesText(interval1));
    lines << QStringLiteral("duration 1: %1").arg(minutesText(duration1));
    lines << QStringLiteral("interval 2: %1").arg(minutesText(interval2));
    lines << QStringLiteral("broadcast items received: %1, malformed: %2").arg(itemsReceived).arg(malformed);
    return lines.join(QLatin1Char('\n'));
}

QJsonObject BroadcastState::toJson() const
{
    QJsonObject object;
    object.insert(QStringLiteral("clock"), clock ? QJsonValue(clockText(*clock)) : QJsonValue());
    object.insert(QStringLiteral("staff"), namesJson(staff));
    object.insert(QStringLiteral("medicine"), namesJson(medicine));
    object.insert(QStringLiteral("temperatureChoice"), optionalNumber(temperatureChoice));
    object.insert(QStringLiteral("interval1"), optionalNumber(interval1));
    object.insert(QStringLiteral("duration1"), optionalNumber(duration1));
    object.insert(QStringLiteral("interval2"), optionalNumber(interval2));
    object.insert(QStringLiteral("itemsReceived"), itemsReceived);
    object.insert(QStringLiteral("malformed"), malformed);
    return object;
}
