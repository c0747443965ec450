#include "fakes/FakeSerialPort.h"
#include "link/Receiver.h"
#include "platform/Label.h"

#include <gtest/gtest.h>

#include <functional>

using namespace Qt::StringLiterals;

namespace {

// Count answer of terminal 3: 17 records.
const QString kCount3 = u" FA 00 03 00 00 00 00 10 01 10 04"_s;
// Record packet of terminal 7: sub-code byte 0xAC, data bytes 0 and 12.
const QString kFc7 = u" FC 00 07 00 01 A0 0C 00 02 B0 06 00 00 00 0C C0 02"_s;

// A receiver on a fake line that writes down, in order, each new caption of the line-status label
// and each packet handed on as "object code value count: data bytes" (value "-" for FC packets).
struct Line
{
    FakeSerialPort port;
    Label lblBus;
    Receiver receiver{
        port, lblBus,
        [this](int object, int code, std::optional<int> value, const RecordData &data, int count) {
            QString call = QString::number(object) + u' ' + QString::number(code) + u' '
                + (value ? QString::number(*value) : u"-"_s) + u' ' + QString::number(count);
            for (int i = 0; i < std::min(count, int(data.size())); ++i)
                call += (i == 0 ? u": "_s : u" "_s) + QString::number(data[size_t(i)]);
            events << call;
            during(); // what a timer tick does while a message box is showing
        }};
    QStringList events;
    std::function<void()> during = [] {};
    QMetaObject::Connection captions
        = QObject::connect(&lblBus, &Label::changed, [this] { events << lblBus.caption(); });
};

// Feeds the bytes `chunk` at a time, a chunk a tick, until all are taken; what happened, in order.
QString receive(const QByteArray &bytes, qsizetype chunk)
{
    Line line;
    for (qsizetype at = 0; at < bytes.size() || line.port.bytesWaiting() > 0; at += chunk) {
        line.port.feed(bytes.mid(at, chunk));
        const int waiting = line.port.bytesWaiting();
        line.receiver.ModtagData();
        EXPECT_EQ(line.port.bytesWaiting(), std::max(0, waiting - 50)); // at most 50 bytes a tick
    }
    return line.events.join(u", "_s);
}

} // namespace

TEST(Receiver, packetsFromTheLineAreShownAndHandedOn)
{
    const QString fbZeros = u" 00"_s.repeated(10);
    const std::pair<QString, QString> cases[] = {
        // bytes in, what happened
        {kCount3, u"$0, 3 0 17 0"_s}, // count answer
        {u" FA 00 01 00 00 00 00 F0 0E F1 0F"_s, u"$0, 1 0 254 0"_s}, // checksum FF, flag nibble ignored
        {u" FA 00 01 00 00 C0 00 00 05 C0 06"_s, u"$C0, 1 0 5 0"_s}, // status bits are not part of the value
        {u" FA 00 01 00 00 30 0B F0 0F 30 0B"_s, u"$0, 1 0 15359 0"_s}, // largest value
        {u" FA 00 01 00 00 30 0C 00 00 30 0D"_s, u"$0"_s}, // value beyond 15359
        {u" FA 00 03 00 00 00 00 10 01 10 05"_s, u"$0"_s}, // FA wrong checksum
        {u" FA F0 F0 00 00 00 00 00 00 E0 00"_s, u"$0"_s}, // FA pair beyond a byte
        {kFc7, u"E$C0, 7 1 - 2: 0 12"_s}, // record packet
        // FC header checksum wrong and flag bit set: both ignored
        {u" FC 00 07 00 01 A0 0C 00 02 00 00 00 00 00 0C C1 02"_s, u"E$C0, 7 1 - 2: 0 12"_s},
        // FC wrong final checksum: data kept, not handed on
        {u" FC 00 07 00 01 A0 0C 00 02 B0 06 00 05 00 0C C0 03"_s + kCount3, u"E$C0, $0, 3 0 17 2: 5 12"_s},
        {u" FC 00 07 00 01 A0 00 00 00 A0 08 A0 08"_s, u"E$0"_s}, // FC without data
        {u" FC 00 07 00 01 A0 0C 00 01 00 00 F0 F0 90 05"_s, u"E$C0"_s}, // FC data pair beyond a byte
        // longest FC
        {u" FC 00 07 00 01 A0 00 20 02 C0 0A"_s + u" 00 01"_s.repeated(34) + u" E0 0C"_s,
         u"E$0, 7 1 - 34:"_s + u" 1"_s.repeated(34)},
        // FC one byte too long: dropped whole (after its count, an FC packet but for its start byte)
        {u" FC 00 07 00 01 A0 01 20 03 00"_s + kFc7.mid(3) + kCount3, u"E$10, $0, 3 0 17 0"_s},
        // FB packets are only shown
        {u" FB 00 01 00 02 30 00"_s + fbZeros + u" FB 00 01 00 02 C0 0F"_s + fbZeros, u"L$C0, L$0"_s},
        // a start byte abandons a short packet
        {u" FA 00 03 00 00 00 FC 00 07 00 01 A0 0C 00 02 B0 06 00 FB 00 01 00"_s + kCount3,
         u"$0, 3 0 17 2: 0 0"_s},
        {u" 00"_s + kCount3.mid(3), u"$0, 3 0 17 0"_s}, // bytes before any start byte make an FA packet
        // bytes after an FC packet make one with its own count
        {kFc7 + u" 00 00 07 00 01 A0 01 00 00 A0 08 A0 08"_s + kCount3,
         u"E$C0, 7 1 - 2: 0 12, E$10, $0, 3 0 17 0"_s},
    };
    for (const auto &[hex, events] : cases) {
        SCOPED_TRACE(hex.toStdString());
        EXPECT_EQ(receive(hexBytes(hex), 1000), events); // all at once
        EXPECT_EQ(receive(hexBytes(hex), 1), events); // every packet split at every byte
    }

    // A call while a packet is handled (a timer tick under a message box) does nothing; the guard is
    // released afterwards. The bytes still waiting after each such call are written down.
    Line line;
    line.during = [&] {
        line.receiver.ModtagData();
        line.events << QString::number(line.port.bytesWaiting());
    };
    line.port.feed(hexBytes(kCount3 + kCount3));
    line.receiver.ModtagData();
    line.port.feed(hexBytes(kCount3));
    line.receiver.ModtagData();
    EXPECT_EQ(line.events.join(u", "_s), u"$0, 3 0 17 0, 11, 3 0 17 0, 0, 3 0 17 0, 0");
}
