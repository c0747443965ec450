#include "fakes/FakeSerialPort.h"
#include "link/PacketFormat.h"
#include "link/PacketSender.h"

#include <gtest/gtest.h>

#include <functional>
#include <optional>
#include <vector>

namespace {

struct SentCase
{
    const char *name;
    std::function<void(PacketSender &)> send;
    const char *hex;
};

std::vector<std::uint8_t> bytesOf(const char *hex)
{
    const QByteArray raw = hexBytes(QString::fromLatin1(hex));
    return {raw.begin(), raw.end()};
}

struct ReceivedCase
{
    const char *name;
    const char *hex;
    bool accepted;
    int address;
    int command;
    int value; // FA: the 14-bit value; FC: the count
};

} // namespace

TEST(PacketFormat, sendersWriteTheExactBytes)
{
    const std::vector<SentCase> cases = {
        {"request to terminal 5", [](PacketSender &s) { s.Send11Byte(5, 1, 16383, 2, 192); },
         "FA 00 05 00 01 F0 0F F0 0F 00 04"},
        {"request to terminal 200 sets the flag",
         [](PacketSender &s) { s.Send11Byte(200, 1, 16383, 2, 192); }, "FA C0 08 00 01 F0 0F F0 0F C1 07"},
        {"interval broadcast", [](PacketSender &s) { s.Send11Byte(255, 53, 90, 0, 0); },
         "FA F0 0F 30 05 00 00 50 0A 80 0E"},
        {"no temperature choice goes out as 00FF", [](PacketSender &s) { s.Send11Byte(255, 51, -1, 0, 0); },
         "FA F0 0F 30 03 00 00 F0 0F 30 01"},
        {"flag mode 2, address 128", [](PacketSender &s) { s.Send11Byte(128, 0, 0, 2, 0); },
         "FA 80 00 00 00 00 00 00 00 81 00"},
        {"flag mode 2, address 127", [](PacketSender &s) { s.Send11Byte(127, 0, 0, 2, 0); },
         "FA 70 0F 00 00 00 00 00 00 70 0F"},
        {"flag mode 1, address 0", [](PacketSender &s) { s.Send11Byte(0, 0, 0, 1, 0); },
         "FA 00 00 00 00 00 00 00 00 01 00"},
        {"flag mode 0, address 255", [](PacketSender &s) { s.Send11Byte(255, 0, 0, 0, 0); },
         "FA F0 0F 00 00 00 00 00 00 F0 0F"},
        {"clock broadcast",
         [](PacketSender &s) {
             s.SendBuf = {26, 3, 14, 9, 30};
             s.SendXXByte(255, 30, 0, 5, s.SendBuf, 0);
         },
         "FC F0 0F 10 0E A0 00 00 05 C0 02 10 0A 00 03 00 0E 00 09 10 0E 10 04"},
        {"record acknowledgement",
         [](PacketSender &s) {
             const std::uint8_t data[] = {0, 12};
             s.SendXXByte(7, 1, 192, 2, data, 2);
         },
         "FC 00 07 00 01 A0 0C 00 02 B0 06 00 00 00 0C C0 02"},
        {"count 0: final checksum equals the header checksum",
         [](PacketSender &s) { s.SendXXByte(255, 30, 0, 0, s.SendBuf, 0); },
         "FC F0 0F 10 0E A0 00 00 00 B0 0D B0 0D"},
    };
    for (const SentCase &c : cases) {
        SCOPED_TRACE(c.name);
        FakeSerialPort port;
        port.setPortNumber(1);
        ASSERT_FALSE(port.open());
        PacketSender sender(port);
        c.send(sender);
        EXPECT_EQ(port.takeWrittenHex(), QString::fromLatin1(c.hex));
    }
}

TEST(PacketFormat, flagBitFollowsFlagModeAndAddress)
{
    struct Case
    {
        int flagMode;
        int address;
        bool set;
    };
    const Case cases[] = {{2, 127, false}, {2, 128, true},  {2, 255, true}, {1, 0, true},
                          {1, 127, true},  {0, 255, false}, {3, 200, false}};
    for (const Case &c : cases)
        EXPECT_EQ(Packet::flagBitFor(c.flagMode, c.address), c.set) << c.flagMode << " " << c.address;
}

TEST(PacketFormat, receivedPacketsAreAcceptedOrDropped)
{
    const std::vector<ReceivedCase> cases = {
        {"FA count answer", "FA 00 03 00 00 00 00 10 01 10 04", true, 3, 0, 17},
        {"FA flag nibble is ignored", "FA 00 03 00 00 00 00 10 01 1F 04", true, 3, 0, 17},
        {"FA status bits are not part of the value", "FA 00 01 00 00 C0 00 00 05 C0 06", true, 1, 0, 5},
        {"FA value 15359", "FA 00 01 00 00 30 0B F0 0F 30 0B", true, 1, 0, 15359},
        {"FA value 15360", "FA 00 01 00 00 30 0C 00 00 30 0D", false, 1, 0, 15360},
        {"FA request form 16383", "FA 00 05 00 01 F0 0F F0 0F 00 04", false, 5, 1, 16383},
        {"FA wrong checksum", "FA 00 03 00 00 00 00 10 01 10 05", false, 3, 0, 17},
        {"FA pair adding up beyond a byte", "FA F0 F0 00 00 00 00 00 00 E0 00", false, 480, 0, 0},
        {"FC record", "FC 00 07 00 01 A0 0C 00 02 B0 06 00 00 00 0C C0 02", true, 7, 1, 2},
        {"FC wrong header checksum, right final", "FC 00 07 00 01 A0 0C 00 02 00 00 00 00 00 0C C0 02", true,
         7, 1, 2},
        {"FC flag nibble is ignored", "FC 00 07 00 01 A0 0C 00 02 B0 06 00 00 00 0C C1 02", true, 7, 1, 2},
        {"FC wrong final checksum", "FC 00 07 00 01 A0 0C 00 02 B0 06 00 00 00 0C C0 03", false, 7, 1, 2},
        {"FC n = 0 with right checksum", "FC 00 07 00 01 A0 00 00 00 A0 08 A0 08", false, 7, 1, 0},
        {"FC data pair adding up beyond a byte", "FC 00 07 00 01 A0 0C 00 01 00 00 F0 F0 90 05", false, 7, 1,
         1},
        {"FC shorter than its count", "FC 00 07 00 01 A0 0C 00 02 B0 06 00 00", false, 7, 1, 0},
        {"FC count only", "FC 00 07 00 01 A0 0C 00 02", false, 7, 1, 0},
        {"FC start byte only", "FC", false, 0, 0, 0},
    };
    for (const ReceivedCase &c : cases) {
        SCOPED_TRACE(c.name);
        const std::vector<std::uint8_t> bytes = bytesOf(c.hex);
        if (bytes[0] == 0xFA) {
            ASSERT_EQ(bytes.size(), size_t(Packet::kFaLength));
            const Packet::FaFields fields
                = Packet::decodeFa(std::span<const std::uint8_t, 11>(bytes.data(), 11));
            EXPECT_EQ(fields.accepted(), c.accepted);
            EXPECT_EQ(fields.address, c.address);
            EXPECT_EQ(fields.command, c.command);
            if (fields.wellFormed) {
                EXPECT_EQ(fields.value(), c.value);
            }
        } else {
            const Packet::FcFields fields = Packet::decodeFc(bytes);
            EXPECT_EQ(fields.accepted(), c.accepted);
            EXPECT_EQ(fields.address, c.address);
            EXPECT_EQ(fields.command, c.command);
            EXPECT_EQ(fields.count, c.value);
        }
    }
}

TEST(PacketFormat, fcDataComesFromThePairs)
{
    const Packet::FcFields fields
        = Packet::decodeFc(bytesOf("FC F0 0F 10 0E A0 00 00 05 C0 02 10 0A 00 03 00 0E 00 09 10 0E 10 04"));
    ASSERT_TRUE(fields.accepted());
    EXPECT_EQ(fields.subCode, 0xA0);
    const std::vector<int> data(fields.data.begin(), fields.data.begin() + fields.count);
    EXPECT_EQ(data, (std::vector<int>{26, 3, 14, 9, 30}));
    EXPECT_EQ(fields.received, fields.computed);

    // A longer span is read only as far as the count reaches.
    std::vector<std::uint8_t> padded = bytesOf("FC 00 07 00 01 A0 0C 00 02 B0 06 00 00 00 0C C0 02");
    padded.insert(padded.end(), {0x55, 0x66});
    EXPECT_TRUE(Packet::decodeFc(padded).accepted());
    EXPECT_FALSE(Packet::decodeFc({}).accepted());
}

TEST(PacketFormat, statusTextsShowTheStatusBits)
{
    struct Case
    {
        Packet::Type type;
        int f3;
        const char *text;
    };
    const Case cases[] = {
        {Packet::Type::FA, 0xFF, "$C0"},  {Packet::Type::FA, 0x7F, "$40"},  {Packet::Type::FA, 0x3F, "$0"},
        {Packet::Type::FB, 0x30, "L$C0"}, {Packet::Type::FB, 0x1F, "L$40"}, {Packet::Type::FB, 0xCF, "L$0"},
        {Packet::Type::FC, 0xAC, "E$C0"}, {Packet::Type::FC, 0xA0, "E$0"},  {Packet::Type::FC, 0xA1, "E$10"},
    };
    for (const Case &c : cases)
        EXPECT_EQ(Packet::statusText(c.type, c.f3), QString::fromLatin1(c.text)) << c.text;
}
