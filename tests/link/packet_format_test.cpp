#include "fakes/FakeSerialPort.h"
#include "link/PacketFormat.h"
#include "link/PacketSender.h"

#include <gtest/gtest.h>

#include <tuple>
#include <vector>

// What the PC sends, byte for byte; what it receives is checked through the receiver.
TEST(PacketFormat, sendersWriteTheExactBytes)
{
    FakeSerialPort port;
    port.setPortNumber(1);
    ASSERT_FALSE(port.open());
    PacketSender sender(port);
    // Address, command, value, flag mode, high bits -> bytes.
    const std::tuple<int, int, int, int, int, const char *> faCases[] = {
        {5, 1, 16383, 2, 192, "FA 00 05 00 01 F0 0F F0 0F 00 04"}, // record request
        {200, 1, 16383, 2, 192, "FA C0 08 00 01 F0 0F F0 0F C1 07"},
        {255, 53, 90, 0, 0, "FA F0 0F 30 05 00 00 50 0A 80 0E"},
        {255, 51, -1, 0, 0, "FA F0 0F 30 03 00 00 F0 0F 30 01"}, // no temperature choice: 00FF
        {128, 0, 0, 2, 0, "FA 80 00 00 00 00 00 00 00 81 00"},
        {127, 0, 0, 2, 0, "FA 70 0F 00 00 00 00 00 00 70 0F"},
        {0, 0, 0, 1, 0, "FA 00 00 00 00 00 00 00 00 01 00"},
        {255, 0, 0, 0, 0, "FA F0 0F 00 00 00 00 00 00 F0 0F"},
    };
    for (const auto &[address, command, value, flagMode, highBits, hex] : faCases) {
        sender.Send11Byte(address, command, value, flagMode, highBits);
        EXPECT_EQ(port.takeWrittenHex(), QString::fromLatin1(hex));
    }
    // Address, command, sub-code, count, data, flag mode -> bytes.
    const std::tuple<int, int, int, int, const char *, int, const char *> fcCases[] = {
        // the clock
        {255, 30, 0, 5, "1A 03 0E 09 1E", 0,
         "FC F0 0F 10 0E A0 00 00 05 C0 02 10 0A 00 03 00 0E 00 09 10 0E 10 04"},
        {7, 1, 192, 2, "00 0C", 2, "FC 00 07 00 01 A0 0C 00 02 B0 06 00 00 00 0C C0 02"}, // acknowledgement
        {255, 30, 0, 0, "", 1, "FC F0 0F 10 0E A0 00 00 00 B0 0D B1 0D"},
        {7, 1, 0, 5, "01", 0, "FC 00 07 00 01 A0 00 00 01 A0 09 00 01 A0 0A"}, // the count is cut to the data
    };
    for (const auto &[address, command, subCode, count, dataHex, flagMode, hex] : fcCases) {
        const QByteArray data = hexBytes(QString::fromLatin1(dataHex));
        sender.SendXXByte(address, command, subCode, count,
                          std::vector<std::uint8_t>(data.begin(), data.end()), flagMode);
        EXPECT_EQ(port.takeWrittenHex(), QString::fromLatin1(hex));
    }
}

TEST(PacketFormat, fcDecodingReadsNoFurtherThanItsBytes)
{
    const QByteArray raw = hexBytes(QStringLiteral("FC 00 07 00 01 A0 0C 00 02 B0 06 00 00 00 0C C0 02 55"));
    const std::vector<std::uint8_t> bytes(raw.begin(), raw.end());
    EXPECT_TRUE(Packet::decodeFc(bytes).accepted()) << "bytes beyond the count are not read";
    for (size_t size : {0, 1, 9, 13, 16})
        EXPECT_FALSE(Packet::decodeFc(std::span(bytes).first(size)).accepted()) << size;
}
