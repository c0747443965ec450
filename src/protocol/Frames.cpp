#include "protocol/Frames.h"

#include <algorithm>

namespace Packet {

namespace {
constexpr int kFlagByteMask = 0xF0; // the flag bit lives in the low nibble of the checksum's first byte

// Reads a byte of a received packet; a position the span does not hold reads as 0.
int byteAt(std::span<const std::uint8_t> bytes, size_t position)
{
    return position < bytes.size() ? bytes[position] : 0;
}

// A field travels as two bytes that add up to it. Terminals never send pairs that add up to
// more than a byte; when one arrives anyway the packet counts as malformed.
struct Pair
{
    explicit Pair(int sum) : value(sum), fits(sum <= 0xFF) { }
    int value;
    bool fits;
};

Pair pairAt(std::span<const std::uint8_t> bytes, size_t position)
{
    return Pair(byteAt(bytes, position) + byteAt(bytes, position + 1));
}

// Kept: the checksum pair is read with the whole low nibble of its first byte cleared, not just
// the flag bit, because that nibble never carries data (a pair's first byte holds the high nibble).
Pair checksumAt(std::span<const std::uint8_t> bytes, size_t position)
{
    return Pair((byteAt(bytes, position) & kFlagByteMask) + byteAt(bytes, position + 1));
}

void appendPair(QByteArray &bytes, int value)
{
    bytes.append(char(value & 0xF0));
    bytes.append(char(value & 0x0F));
}

void appendChecksum(QByteArray &bytes, int checksum, bool flag)
{
    appendPair(bytes, checksum);
    if (flag)
        bytes[bytes.size() - 2] = char(bytes[bytes.size() - 2] | 1);
}
} // namespace

bool flagBitFor(FlagMode mode, int address)
{
    switch (mode) {
    case FlagMode::Always:
        return true;
    case FlagMode::HighAddress:
        return address > 127;
    case FlagMode::Never:
        break;
    }
    return false;
}

FaFrame FaFrame::make(int address, Command command, int value, FlagMode mode, int statusBits)
{
    FaFrame frame;
    frame.address = address & 0xFF;
    frame.command = int(command) & 0xFF;
    // Kept: the quotient is cut toward zero, so -1 (no temperature choice) goes out as 0x00FF,
    // because that is the word the terminals have always been sent for no choice.
    frame.high = ((value / 256) | statusBits) & 0xFF;
    frame.low = value & 0xFF;
    frame.flag = flagBitFor(mode, address);
    return frame;
}

FaFrame FaFrame::decode(std::span<const std::uint8_t, kFaLength> bytes)
{
    const std::span<const std::uint8_t> all(bytes);
    const Pair address = pairAt(all, 1);
    const Pair command = pairAt(all, 3);
    const Pair high = pairAt(all, 5);
    const Pair low = pairAt(all, 7);
    const Pair received = checksumAt(all, 9);

    FaFrame frame;
    frame.address = address.value;
    frame.command = command.value;
    frame.high = high.value;
    frame.low = low.value;
    frame.flag = (bytes[9] & 1) != 0;
    frame.received = received.value;
    frame.wellFormed = address.fits && command.fits && high.fits && low.fits && received.fits;
    return frame;
}

QByteArray FaFrame::encode() const
{
    QByteArray bytes;
    bytes.append(char(StartByte::FA));
    for (int field : {address, command, high, low})
        appendPair(bytes, field);
    appendChecksum(bytes, checksum(), flag);
    return bytes;
}

FcFrame FcFrame::make(int address, Command command, int statusBits, std::span<const std::uint8_t> bytes,
                      FlagMode mode)
{
    FcFrame frame;
    frame.address = address & 0xFF;
    frame.command = int(command) & 0xFF;
    // Kept: only the sub-code's high nibble travels (192 gives 0xAC, 0 gives 0xA0), because
    // those two sub-code bytes are all the terminals know.
    frame.subCode = 0xA0 | ((statusBits / 16) & 0x0F);
    frame.count = int(std::min<size_t>(bytes.size(), kMaxFcData));
    std::copy_n(bytes.begin(), frame.count, frame.data.begin());
    frame.flag = flagBitFor(mode, address);
    return frame;
}

FcFrame FcFrame::decode(std::span<const std::uint8_t> bytes)
{
    const Pair address = pairAt(bytes, 1);
    const Pair command = pairAt(bytes, 3);
    const Pair subCode = pairAt(bytes, 5);
    const Pair count = pairAt(bytes, 7);

    FcFrame frame;
    frame.address = address.value;
    frame.command = command.value;
    frame.subCode = subCode.value;
    frame.wellFormed = address.fits && command.fits && subCode.fits;

    const size_t length = size_t(kFcHeaderLength + 2 * count.value);
    if (!count.fits || bytes.size() < length) {
        // No data is taken from a packet that does not hold what it announces.
        frame.wellFormed = false;
        return frame;
    }

    frame.count = count.value;
    int sum = address.value + command.value + subCode.value + count.value;
    for (int i = 0; i < frame.count; ++i) {
        const Pair data = pairAt(bytes, size_t(11 + 2 * i));
        frame.data[size_t(i)] = std::uint8_t(data.value & 0xFF);
        frame.wellFormed = frame.wellFormed && data.fits;
        sum += data.value;
    }
    const Pair received = checksumAt(bytes, length - 2);
    frame.flag = (bytes[length - 2] & 1) != 0;
    frame.received = received.value;
    frame.wellFormed = frame.wellFormed && received.fits;
    frame.computed = sum % 256;
    return frame;
}

QByteArray FcFrame::encode() const
{
    const int header = (address + command + subCode + count) % 256;
    QByteArray bytes;
    bytes.append(char(StartByte::FC));
    for (int field : {address, command, subCode, count, header})
        appendPair(bytes, field);
    int sum = header;
    for (const std::uint8_t byte : payload()) {
        appendPair(bytes, byte);
        sum += byte;
    }
    appendChecksum(bytes, sum % 256, flag);
    return bytes;
}

QString statusText(Type type, int f3)
{
    switch (type) {
    case Type::FA:
        return QStringLiteral("$") + QString::number(f3 & 192, 16).toUpper();
    case Type::FB:
        return QStringLiteral("L$") + QString::number((f3 & 48) * 4, 16).toUpper();
    case Type::FC:
        return QStringLiteral("E$") + QString::number((f3 & 15) * 16, 16).toUpper();
    }
    return {};
}

int statusField(std::span<const std::uint8_t> bytes)
{
    return bytes.size() > kStatusFieldPosition + 1 ? pairAt(bytes, kStatusFieldPosition).value : 0;
}

} // namespace Packet
