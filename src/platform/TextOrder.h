#pragma once

#include <QStringView>
#include <QtGlobal>

#include <optional>

// The order of QStringView::compare (case-sensitive), made quick for sorting many keys: a key's
// first characters are packed into a number once, and most comparisons are of numbers.
namespace TextOrder {

// The low byte of a head: how many characters are packed (bits 2-4), whether the key goes on
// beyond them, and whether a character did not fit in a byte, so the head says nothing.
inline constexpr quint64 kWide = 1;
inline constexpr quint64 kLonger = 2;

// As QStringView::compare: negative, zero or positive.
int compare(QStringView a, QStringView b);

// Up to seven characters of `key` after its first `skip` ones, packed in one number. The keys of
// one sort share their first `skip` characters, which would decide nothing; a key shorter than
// that (an empty one) gets a head that decides nothing.
quint64 head(QStringView key, qsizetype skip);

// The order of two keys by their heads, when the heads decide it; otherwise compare() must.
// Both heads are of keys that share the same first `skip` characters.
inline std::optional<int> compareHeads(quint64 a, quint64 b)
{
    if ((a | b) & kWide)
        return std::nullopt;
    // Equal characters: the key with fewer of them (zeros fill the rest) or without more after
    // them is a beginning of the other and comes first, which the low byte orders.
    if (a != b)
        return a < b ? -1 : 1;
    if (a & kLonger)
        return std::nullopt;
    return 0;
}

} // namespace TextOrder
