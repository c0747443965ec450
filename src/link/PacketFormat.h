#pragma once

#include <QString>

#include <array>
#include <cstdint>
#include <span>

// The frames spoken with the hand terminals. Every field byte travels as a nibble pair
// (high nibble in place, then low nibble), so the start bytes never occur inside a packet.
namespace Packet {

enum class StartByte : std::uint8_t { FA = 0xFA, FB = 0xFB, FC = 0xFC };
enum class Type { FA, FB, FC };

// FlagMode of the senders: when bit 0 of the final checksum's first byte is set.
enum FlagMode : int { FlagNever = 0, FlagAlways = 1, FlagHighAddress = 2 };

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

constexpr int kFaLength = 11;
constexpr int kFbLength = 17;
constexpr int kFcHeaderLength = 13; // an FC packet is 13 + 2 * n bytes
constexpr int kMaxReceivedData = 34; // what the receive buffer of 81 bytes can hold
constexpr int kMaxValue = 15359; // largest 14-bit value a terminal may send
constexpr int kRequestValue = 16383;
constexpr int kBothStatusBits = 192;

// The two bytes of one field.
std::array<std::uint8_t, 2> nibblePair(std::uint8_t value);
// Sets bit 0 of the checksum's first byte as FlagMode asks.
bool flagBitFor(int flagMode, int address);

// A complete FA packet, decoded.
struct FaFields
{
    int address = 0;
    int command = 0;
    int high = 0; // F3: status bits 7-6, value bits 13-8
    int low = 0; // F4
    int received = 0; // checksum pair, flag nibble cleared
    bool wellFormed = true; // every pair adds up to one byte
    int value() const { return (high & 63) * 256 + low; }
    bool checksumOk() const { return received == (address + command + high + low) % 256; }
    // What the PC accepts from a terminal: right checksum and a value of at most 15359.
    bool accepted() const { return wellFormed && checksumOk() && value() <= kMaxValue; }
};
FaFields decodeFa(std::span<const std::uint8_t, kFaLength> bytes);

// A complete FC packet, decoded; data holds `count` bytes.
struct FcFields
{
    int address = 0;
    int command = 0;
    int subCode = 0;
    int count = 0;
    std::array<std::uint8_t, 255> data{};
    int received = 0; // final checksum pair, flag nibble cleared
    int computed = 0; // (address + command + sub-code + n + data) mod 256
    bool wellFormed = true; // every pair adds up to one byte and all 13 + 2 * n bytes are there
    bool accepted() const { return wellFormed && received == computed && count != 0; }
};
// `bytes` is the whole packet, 13 + 2 * n bytes. Bytes beyond the span are never read: a
// span too short for the count it announces decodes with count 0 (and is not accepted).
FcFields decodeFc(std::span<const std::uint8_t> bytes);

// The status bits of a packet as the line-status label shows them ("$C0", "L$0", "E$C0"),
// from the field in positions 5-6.
QString statusText(Type type, int f3);

} // namespace Packet
