#include "RecordingHandler.h"
#include "fakes/FakeSerialPort.h"
#include "link/Receiver.h"
#include "platform/Label.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

const QString kUntouched = QStringLiteral("untouched");

// Count answer of terminal 3: 17 records.
const char *const kCount3 = "FA 00 03 00 00 00 00 10 01 10 04";
// Record packet of terminal 7 with the data bytes 0 and 12, sub-code byte 0xAC.
const char *const kFc7 = "FC 00 07 00 01 A0 0C 00 02 B0 06 00 00 00 0C C0 02";
// FB packet whose field in positions 5-6 is 0x30.
const char *const kFb = "FB 00 01 00 02 30 00 00 00 00 00 00 00 00 00 00 00";

// An FC packet from terminal 7 with `count` data bytes 1, 2, 3 ... (only its final checksum
// matters to the receiver). A count beyond a byte is sent as the malformed pair F0 F0 + rest.
QByteArray fcWithCount(int count)
{
    QByteArray bytes;
    auto pair = [&bytes](int value) {
        bytes.append(char(value & 0xF0));
        bytes.append(char(value & 0x0F));
    };
    bytes.append(char(0xFC));
    pair(7);
    pair(1);
    pair(0xAC);
    if (count > 255) {
        bytes.append(char(0xF0));
        bytes.append(char(count - 0xF0));
    } else {
        pair(count);
    }
    pair(0);
    int sum = 7 + 1 + 0xAC + count;
    for (int i = 0; i < count; ++i) {
        pair((i + 1) & 0xFF);
        sum += (i + 1) & 0xFF;
    }
    pair(sum % 256);
    return bytes;
}

class ReceiverTest : public ::testing::Test
{
protected:
    FakeSerialPort port;
    Label lblBus{kUntouched};
    RecordingHandler handler;
    Receiver receiver{port, lblBus, handler};

    // Ticks until the port is empty; returns the number of ticks.
    int drain()
    {
        int ticks = 0;
        while (port.bytesWaiting() > 0 && ticks < 100) {
            receiver.ModtagData();
            ++ticks;
        }
        return ticks;
    }
};

} // namespace

TEST_F(ReceiverTest, twoPacketsInOneTickAreHandledInOrder)
{
    port.feedHex(QString::fromLatin1(kCount3) + QString::fromLatin1(kFc7));
    receiver.ModtagData();

    ASSERT_EQ(handler.calls.size(), 2u);
    EXPECT_EQ(handler.calls[0].object, 3);
    EXPECT_EQ(handler.calls[0].code, 0);
    EXPECT_EQ(handler.calls[0].data, 17);
    EXPECT_EQ(handler.calls[0].dataCnt, 0); // no FC packet yet
    EXPECT_EQ(handler.calls[1].object, 7);
    EXPECT_EQ(handler.calls[1].code, 1);
    EXPECT_EQ(handler.calls[1].data, std::nullopt);
    EXPECT_EQ(handler.calls[1].dataCnt, 2);
    EXPECT_EQ(handler.calls[1].mdata[0], 0);
    EXPECT_EQ(handler.calls[1].mdata[1], 12);
    EXPECT_EQ(lblBus.caption(), u"E$C0");
}

TEST_F(ReceiverTest, fcDataStaysForLaterFaPackets)
{
    port.feedHex(QString::fromLatin1(kFc7) + QString::fromLatin1(kCount3));
    receiver.ModtagData();

    ASSERT_EQ(handler.calls.size(), 2u);
    EXPECT_EQ(handler.calls[1].object, 3);
    EXPECT_EQ(handler.calls[1].dataCnt, 2);
    EXPECT_EQ(handler.calls[1].mdata[1], 12);
    EXPECT_EQ(receiver.RecLen(), 2);
    EXPECT_EQ(receiver.RecLast(), 16);
}

TEST_F(ReceiverTest, packetSplitOverTwoTicksIsOnePacket)
{
    struct Case
    {
        const char *hex;
        int firstPart;
        const char *caption;
        size_t calls;
    };
    const Case cases[] = {
        {kCount3, 5, "$0", 1}, {kCount3, 10, "$0", 1}, {kFb, 9, "L$C0", 0},
        {kFc7, 8, "E$C0", 1},  {kFc7, 16, "E$C0", 1},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.hex);
        FakeSerialPort linePort;
        Label label{kUntouched};
        RecordingHandler calls;
        Receiver fresh(linePort, label, calls);
        const QByteArray packet = hexBytes(QString::fromLatin1(c.hex));

        linePort.feed(packet.left(c.firstPart));
        fresh.ModtagData();
        EXPECT_EQ(label.caption(), kUntouched);
        EXPECT_TRUE(calls.calls.empty());

        linePort.feed(packet.mid(c.firstPart));
        fresh.ModtagData();
        EXPECT_EQ(label.caption(), QString::fromLatin1(c.caption));
        EXPECT_EQ(calls.calls.size(), c.calls);
    }
}

TEST_F(ReceiverTest, takesAtMostFiftyBytesPerTick)
{
    port.feed(QByteArray(120, char(0x11)));
    receiver.ModtagData();
    EXPECT_EQ(port.bytesWaiting(), 70);
    receiver.ModtagData();
    EXPECT_EQ(port.bytesWaiting(), 20);
    receiver.ModtagData();
    EXPECT_EQ(port.bytesWaiting(), 0);
}

TEST_F(ReceiverTest, packetIsCompleteAfterItsLastByte)
{
    struct Case
    {
        QByteArray bytes;
        int length;
        const char *caption;
    };
    const std::vector<Case> cases = {
        {hexBytes(QString::fromLatin1(kCount3)), 11, "$0"},
        {hexBytes(QString::fromLatin1(kFb)), 17, "L$C0"},
        {hexBytes(QString::fromLatin1(kFc7)), 17, "E$C0"},
        {fcWithCount(0), 13, "E$C0"},
        {fcWithCount(34), 81, "E$C0"},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.length);
        ASSERT_EQ(c.bytes.size(), c.length);
        FakeSerialPort linePort;
        Label label{kUntouched};
        RecordingHandler calls;
        Receiver fresh(linePort, label, calls);
        for (int i = 0; i < c.length; ++i) {
            EXPECT_EQ(label.caption(), kUntouched) << "byte " << i;
            linePort.feed(c.bytes.mid(i, 1));
            fresh.ModtagData();
        }
        EXPECT_EQ(label.caption(), QString::fromLatin1(c.caption));
        EXPECT_EQ(fresh.RecIdx(), 0);
    }
}

TEST_F(ReceiverTest, longestFcPacketFillsTheData)
{
    port.feed(fcWithCount(34));
    drain();
    ASSERT_EQ(handler.calls.size(), 1u);
    EXPECT_EQ(handler.calls[0].dataCnt, 34);
    EXPECT_EQ(handler.calls[0].mdata[0], 1);
    EXPECT_EQ(handler.calls[0].mdata[33], 34);
    EXPECT_EQ(handler.calls[0].mdata[34], 0);
}

TEST_F(ReceiverTest, fcWithWrongChecksumShowsAndKeepsItsDataButIsNotHandedOn)
{
    port.feedHex(QStringLiteral("FC 00 07 00 01 A0 0C 00 02 B0 06 00 05 00 0C C0 03"));
    receiver.ModtagData();
    EXPECT_EQ(lblBus.caption(), u"E$C0");
    EXPECT_EQ(receiver.RecData()[0], 5);
    EXPECT_EQ(receiver.RecData()[1], 12);
    EXPECT_TRUE(handler.calls.empty());
}

TEST_F(ReceiverTest, faRequestFormShowsStatusButIsNotHandedOn)
{
    port.feedHex(QStringLiteral("FA 00 05 00 01 F0 0F F0 0F 00 04"));
    receiver.ModtagData();
    EXPECT_EQ(lblBus.caption(), u"$C0");
    EXPECT_TRUE(handler.calls.empty());
}

TEST_F(ReceiverTest, strayByteAndTenMoreAreDecodedAsFa)
{
    port.feedHex(QString::fromLatin1(kCount3) + QStringLiteral("00 00 03 00 00 00 00 10 01 10 04"));
    receiver.ModtagData();
    ASSERT_EQ(handler.calls.size(), 2u);
    EXPECT_EQ(handler.calls[1].object, 3);
    EXPECT_EQ(handler.calls[1].data, 17);
}

TEST_F(ReceiverTest, startByteInsideAPacketRestartsIt)
{
    const QString cases[] = {
        QStringLiteral("FA 00 03 00 00 00"), // partial FA
        QStringLiteral("FC 00 07 00 01 A0 0C 00 02 B0 06 00"), // partial FC past its count
        QStringLiteral("FB 00 01 00"), // partial FB
    };
    for (const QString &partial : cases) {
        SCOPED_TRACE(partial.toStdString());
        handler.calls.clear();
        port.feedHex(partial + QString::fromLatin1(kCount3));
        receiver.ModtagData();
        ASSERT_EQ(handler.calls.size(), 1u);
        EXPECT_EQ(handler.calls[0].object, 3);
        EXPECT_EQ(handler.calls[0].data, 17);
    }
}

TEST_F(ReceiverTest, overlongFcIsDroppedWhole)
{
    for (int count : {35, 255, 480}) {
        SCOPED_TRACE(count);
        FakeSerialPort linePort;
        Label label{kUntouched};
        RecordingHandler calls;
        Receiver fresh(linePort, label, calls);
        linePort.feedHex(QString::fromLatin1(kFc7));
        // After the over-long packet, bytes that would form a whole FA packet are ignored too.
        QByteArray overlong = fcWithCount(count);
        overlong.append(hexBytes(QStringLiteral("00 00 00 00 00 00 00 00 00 00 00")));
        for (char byte : overlong) {
            linePort.feed(QByteArray(1, byte));
            fresh.ModtagData();
            ASSERT_GE(fresh.RecIdx(), 0);
            ASSERT_LT(fresh.RecIdx(), PacketAssembler::kBufferSize);
        }
        EXPECT_EQ(label.caption(), u"E$C0");
        EXPECT_EQ(calls.calls.size(), 1u); // the first FC packet only
        EXPECT_EQ(fresh.RecLen(), 2);
        EXPECT_EQ(fresh.RecData()[0], 0);
        EXPECT_EQ(fresh.RecData()[1], 12);
        EXPECT_EQ(fresh.RecData()[2], 0);

        // The next start byte brings the line back.
        linePort.feedHex(QString::fromLatin1(kCount3));
        fresh.ModtagData();
        ASSERT_EQ(calls.calls.size(), 2u);
        EXPECT_EQ(calls.calls[1].object, 3);
        EXPECT_EQ(calls.calls[1].dataCnt, 2);
    }
}

TEST_F(ReceiverTest, fcAfterACompleteFcNeedsItsOwnCount)
{
    // Bytes after a complete FC packet are collected as an FC packet of their own: it is
    // complete only after the count it carries, not after the count of the packet before.
    port.feedHex(QString::fromLatin1(kFc7) + QStringLiteral("00 00 07 00 01 A0 0C 00 00 A0 08 A0 08"));
    receiver.ModtagData();
    EXPECT_EQ(handler.calls.size(), 1u);
    EXPECT_EQ(receiver.RecLen(), 0);
    EXPECT_EQ(receiver.RecIdx(), 0);
}

TEST_F(ReceiverTest, callDuringAHandledPacketDoesNothing)
{
    port.feedHex(QString::fromLatin1(kCount3) + QString::fromLatin1(kCount3));
    std::vector<int> waitingInNestedCall;
    handler.during = [&] {
        receiver.ModtagData(); // what a timer tick does while a message box is showing
        waitingInNestedCall.push_back(port.bytesWaiting());
    };
    receiver.ModtagData();
    EXPECT_EQ(waitingInNestedCall, (std::vector<int>{11, 0}));
    EXPECT_EQ(handler.calls.size(), 2u);

    handler.during = {};
    port.feedHex(QString::fromLatin1(kCount3));
    receiver.ModtagData(); // the guard is released afterwards
    EXPECT_EQ(handler.calls.size(), 3u);
}
