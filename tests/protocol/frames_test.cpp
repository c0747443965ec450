#include "fakes/FakeSerialPort.h"
#include "protocol/Frames.h"

#include <gtest/gtest.h>

#include <tuple>
#include <vector>

using namespace Packet;

static std::vector<std::uint8_t> bytesOf(const char *hex)
{
    const QByteArray raw = hexBytes(QString::fromLatin1(hex));
    return {raw.begin(), raw.end()};
}

// Frames both ways against hex written out by hand: what encodes to the bytes decodes from them,
// field for field (a decoded frame encodes to the same bytes). The value a terminal sends is
// read in the receiver's table.
TEST(Frames, shortAndLongFramesBothWays)
{
    // Address, command, value, flag mode, status bits -> bytes.
    const std::tuple<int, Command, int, FlagMode, int, const char *> cases[] = {
        {200, Command::Record, 16383, FlagMode::HighAddress, 192, "FA C0 08 00 01 F0 0F F0 0F C1 07"},
        {255, Command::Interval1, 90, FlagMode::Never, 0, "FA F0 0F 30 05 00 00 50 0A 80 0E"},
        // -1 (no temperature choice) goes out as 00FF
        {255, Command::TemperatureChoice, -1, FlagMode::Never, 0, "FA F0 0F 30 03 00 00 F0 0F 30 01"},
        {128, Command::Count, 0, FlagMode::HighAddress, 0, "FA 80 00 00 00 00 00 00 00 81 00"},
        {127, Command::Count, 0, FlagMode::HighAddress, 0, "FA 70 0F 00 00 00 00 00 00 70 0F"},
        {0, Command::Count, 0, FlagMode::Always, 0, "FA 00 00 00 00 00 00 00 00 01 00"},
    };
    for (const auto &[address, command, value, mode, statusBits, hex] : cases) {
        const QString expected = QString::fromLatin1(hex);
        EXPECT_EQ(toHex(FaFrame::make(address, command, value, mode, statusBits).encode()), expected);
        const auto decoded = FaFrame::decode(std::span<const std::uint8_t, kFaLength>(bytesOf(hex)));
        EXPECT_TRUE(decoded.wellFormed && decoded.checksumOk() && toHex(decoded.encode()) == expected) << hex;
    }

    // Long frames: address, command, status bits, data, flag mode -> bytes.
    const std::tuple<int, Command, int, const char *, FlagMode, const char *> longCases[] = {
        {255, Command::Clock, 0, "1A 03 0E 09 1E", FlagMode::Never,
         "FC F0 0F 10 0E A0 00 00 05 C0 02 10 0A 00 03 00 0E 00 09 10 0E 10 04"},
        {7, Command::Record, 192, "00 0C", FlagMode::HighAddress,
         "FC 00 07 00 01 A0 0C 00 02 B0 06 00 00 00 0C C0 02"},
        {200, Command::Record, 192, "00 0C", FlagMode::HighAddress,
         "FC C0 08 00 01 A0 0C 00 02 70 07 00 00 00 0C 81 03"},
        {7, Command::Record, 0, "01", FlagMode::Never, "FC 00 07 00 01 A0 00 00 01 A0 09 00 01 A0 0A"},
    };
    for (const auto &[address, command, statusBits, data, mode, hex] : longCases) {
        const QString expected = QString::fromLatin1(hex);
        EXPECT_EQ(toHex(FcFrame::make(address, command, statusBits, bytesOf(data), mode).encode()), expected);
        const auto bytes = bytesOf(hex);
        const auto decoded = FcFrame::decode(bytes);
        EXPECT_TRUE(decoded.accepted() && toHex(decoded.encode()) == expected) << hex;
        // The status bits, shown on the port line, are read from the bytes; cut before their pair ends, 0.
        EXPECT_EQ(statusText(Type::FC, statusField(std::span(bytes).first(kStatusFieldPosition + 2))),
                  QStringLiteral("E$") + QString::number(statusBits, 16).toUpper())
            << hex;
        EXPECT_EQ(statusField(std::span(bytes).first(kStatusFieldPosition + 1)), 0) << hex;
    }
}

// Long frames the PC must not take as well formed: a pair adding up to more than a byte, or fewer
// bytes than the count announces (nothing of them is taken).
TEST(Frames, longFramesWithAPairBeyondAByteOrCutShortAreMalformed)
{
    const std::pair<const char *, const char *> cases[] = {
        {"address pair beyond a byte", "FC F0 F0 00 01 A0 0C 00 02 00 00 00 00 00 0C 90 0B"},
        {"final checksum pair beyond a byte", "FC 00 07 00 01 A0 0C 00 02 B0 06 00 00 00 0C F0 D2"},
        {"a data byte fewer than announced", "FC 00 07 00 01 A0 0C 00 03 B0 06 00 00 00 0C C0 02"},
    };
    for (const auto &[name, hex] : cases)
        EXPECT_FALSE(FcFrame::decode(bytesOf(hex)).wellFormed) << name; // so not accepted either
}
