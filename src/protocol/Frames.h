#pragma once

#include <QByteArray>
#include <QString>

#include <array>
#include <cstdint>
#include <span>

// The frames spoken with the hand terminals, as values: what the PC and the terminals send
// encodes to bytes and what arrives decodes from them. Every field byte travels as a nibble
// pair (high nibble in place, then low nibble), so the start bytes never occur inside a packet.
namespace Packet {

enum class StartByte : std::uint8_t { FA = 0xFA, FB = 0xFB, FC = 0xFC };
enum class Type { FA, FB, FC };

// When bit 0 of the final checksum's first byte is set.
enum class FlagMode { Never, Always, HighAddress };

enum class Command : int {
    Count = 0, // FA: count request / count answer
    Record = 1, // FA: record request; FC: a record, or its acknowledgement
    Clock = 30, // FC: year - 2000, month, day, hour, minute
    StaffName = 40, // FC: entry 0..19, 20 name bytes
    MedicineName = 42, // FC: entry 0..9, 20 name bytes
    TemperatureChoice = 51,
    Interval1 = 53,
    Duration1 = 54,
    Interval2 = 55,
};

constexpr int kBroadcastAddress = 255; // reaches every terminal
constexpr int kFaLength = 11;
constexpr int kFbLength = 17;
constexpr int kFcHeaderLength = 13; // an FC packet is 13 + 2 * n bytes
constexpr int kMaxFcData = 255;
constexpr int kMaxReceivedData = 34; // what the receive buffer of 81 bytes can hold
constexpr int kMaxValue = 15359; // largest 14-bit value a terminal may send
constexpr int kRequestValue = 16383;
constexpr int kBothStatusBits = 192;
constexpr int kStatusFieldPosition = 5; // the field in positions 5-6 carries the status bits

bool flagBitFor(FlagMode mode, int address);

// A short packet: address, command and a 14-bit value with two status bits.
struct FaFrame
{
    int address = 0;
    int command = 0;
    int high = 0; // status bits 7-6, value bits 13-8
    int low = 0;
    bool flag = false; // bit 0 of the checksum's first byte
    // Of a decoded frame: the checksum as received (flag cleared), every pair a byte.
    int received = 0;
    bool wellFormed = true;

    static FaFrame make(int address, Command command, int value, FlagMode mode, int statusBits = 0);
    static FaFrame decode(std::span<const std::uint8_t, kFaLength> bytes);
    QByteArray encode() const;

    int value() const { return (high & 63) * 256 + low; }
    int checksum() const { return (address + command + high + low) % 256; }
    bool checksumOk() const { return received == checksum(); }
    // What the PC accepts from a terminal: right checksum and a value of at most 15359.
    bool accepted() const { return wellFormed && checksumOk() && value() <= kMaxValue; }
};

// A long packet: address, command, a sub-code byte and n data bytes.
struct FcFrame
{
    int address = 0;
    int command = 0;
    int subCode = 0; // the byte as on the line (0xA0 | status nibble)
    int count = 0;
    std::array<std::uint8_t, kMaxFcData> data{};
    bool flag = false;
    // Of a decoded frame: the final checksum as received (flag cleared) and as computed.
    int received = 0;
    int computed = 0;
    bool wellFormed = true; // every pair a byte and all 13 + 2 * n bytes there

    // The first `count` bytes of `bytes` (cut to what it holds and to 255).
    static FcFrame make(int address, Command command, int statusBits, std::span<const std::uint8_t> bytes,
                        FlagMode mode);
    // `bytes` is the whole packet. Bytes beyond the span are never read: a span too short for
    // the count it announces decodes with count 0 (and is not accepted).
    static FcFrame decode(std::span<const std::uint8_t> bytes);
    QByteArray encode() const;

    std::span<const std::uint8_t> payload() const { return std::span(data).first(size_t(count)); }
    bool accepted() const { return wellFormed && received == computed && count != 0; }
};

// The status bits of a packet as the line-status label shows them ("$C0", "L$0", "E$C0"),
// from the field in positions 5-6.
QString statusText(Type type, int f3);
// That field of a packet's bytes (0 when the packet is shorter).
int statusField(std::span<const std::uint8_t> bytes);

} // namespace Packet
