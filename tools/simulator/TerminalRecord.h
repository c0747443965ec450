#pragma once

#include <QByteArray>
#include <QString>

#include <array>
#include <cstdint>
#include <optional>

// One farrowing record as a hand terminal holds it: the 30 data bytes of a record packet.
struct TerminalRecord
{
    // Where each field sits in the 30 bytes.
    enum class Byte : int {
        RemainingHigh = 0, // records the terminal still holds after this one, high byte first
        RemainingLow = 1,
        Type = 2, // 1..3
        Year = 3, // year - 2000
        Month = 4,
        Day = 5,
        Hour = 6,
        Minute = 7,
        Staff = 8,
        ReactionTime = 9,
        Alive = 10,
        Still = 11,
        Mummified = 12,
        Weak = 13,
        Female = 14,
        BirthAssist = 15,
        Medicine = 16,
        Dose = 17, // half-millilitres
        TemperatureHigh = 18, // tenths of a degree
        TemperatureLow = 19,
        Sow = 20, // 10 characters, fill characters included
    };
    static constexpr int kSize = 30;
    static constexpr int kSowLength = 10;

    std::array<std::uint8_t, kSize> bytes{};

    std::uint8_t at(Byte b) const { return bytes[std::size_t(b)]; }
    void set(Byte b, int value) { bytes[std::size_t(b)] = std::uint8_t(value); }

    int remaining() const { return at(Byte::RemainingHigh) * 256 + at(Byte::RemainingLow); }
    void setRemaining(int count);
    int temperature() const { return at(Byte::TemperatureHigh) * 256 + at(Byte::TemperatureLow); }
    void setTemperature(int tenths);
    QByteArray sow() const;
    void setSow(const QByteArray &id); // padded with blanks, cut after 10 characters

    // The record line the program writes to its daily log, without the line end, as bytes
    // of the log file. TAB, CR and LF in the sow id are stored as blanks so a line never
    // splits; a temperature that does not fit 16 signed bits is stored as 0.
    QByteArray logLine() const;
    // "2024-03-07 14:05" as the record carries it.
    QString dateTimeText() const;
    // A short description for progress lines.
    QString describe() const;

    // Upper-case hex pairs separated by blanks.
    QString toHex() const;
    // 30 hex pairs, blanks between pairs optional; nothing when the text is not that.
    static std::optional<TerminalRecord> fromHex(const QString &text);

    bool operator==(const TerminalRecord &) const = default;
};
