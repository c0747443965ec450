#include "link/PacketFormat.h"

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
    int value = 0;
    bool fits = true;
};

Pair pairAt(std::span<const std::uint8_t> bytes, size_t position)
{
    const int sum = byteAt(bytes, position) + byteAt(bytes, position + 1);
    return {sum, sum <= 0xFF};
}

// Kept: the checksum pair is read with the whole low nibble of its first byte cleared, not just
// the flag bit, because that nibble never carries data (a pair's first byte holds the high nibble).
Pair checksumAt(std::span<const std::uint8_t> bytes, size_t position)
{
    const int sum = (byteAt(bytes, position) & kFlagByteMask) + byteAt(bytes, position + 1);
    return {sum, sum <= 0xFF};
}
} // namespace

std::array<std::uint8_t, 2> nibblePair(std::uint8_t value)
{
    return {std::uint8_t(value & 0xF0), std::uint8_t(value & 0x0F)};
}

bool flagBitFor(int flagMode, int address)
{
    switch (flagMode) {
    case FlagAlways:
        return true;
    case FlagHighAddress:
        return address > 127;
    default:
        return false;
    }
}

FaFields decodeFa(std::span<const std::uint8_t, kFaLength> bytes)
{
    const std::span<const std::uint8_t> all(bytes);
    const Pair address = pairAt(all, 1);
    const Pair command = pairAt(all, 3);
    const Pair high = pairAt(all, 5);
    const Pair low = pairAt(all, 7);
    const Pair received = checksumAt(all, 9);

    FaFields fields;
    fields.address = address.value;
    fields.command = command.value;
    fields.high = high.value;
    fields.low = low.value;
    fields.received = received.value;
    fields.wellFormed = address.fits && command.fits && high.fits && low.fits && received.fits;
    return fields;
}

FcFields decodeFc(std::span<const std::uint8_t> bytes)
{
    const Pair address = pairAt(bytes, 1);
    const Pair command = pairAt(bytes, 3);
    const Pair subCode = pairAt(bytes, 5);
    const Pair count = pairAt(bytes, 7);

    FcFields fields;
    fields.address = address.value;
    fields.command = command.value;
    fields.subCode = subCode.value;
    fields.wellFormed = address.fits && command.fits && subCode.fits;

    const size_t length = size_t(kFcHeaderLength + 2 * count.value);
    if (!count.fits || bytes.size() < length) {
        // No data is taken from a packet that does not hold what it announces.
        fields.wellFormed = false;
        return fields;
    }

    fields.count = count.value;
    int sum = address.value + command.value + subCode.value + count.value;
    for (int i = 0; i < fields.count; ++i) {
        const Pair data = pairAt(bytes, size_t(11 + 2 * i));
        fields.data[size_t(i)] = std::uint8_t(data.value & 0xFF);
        fields.wellFormed = fields.wellFormed && data.fits;
        sum += data.value;
    }
    const Pair received = checksumAt(bytes, length - 2);
    fields.received = received.value;
    fields.wellFormed = fields.wellFormed && received.fits;
    fields.computed = sum % 256;
    return fields;
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

} // namespace Packet
