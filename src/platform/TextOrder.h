#pragma once

#include <QStringView>
#include <QtGlobal>

#include <optional>

// The order of QStringView::compare (case-sensitive), made quick for sorting many keys: a key's
// first characters are packed into a number once, and most comparisons are of numbers.
namespace TextOrder {

// As QStringView::compare: negative, zero or positive.
int compare(QStringView a, QStringView b);

// Up to seven characters of `key` after its first `skip` ones, packed in one number. The keys of
// one sort share their first `skip` characters, which would decide nothing; a key shorter than
// that (an empty one) gets a head that decides nothing.
quint64 head(QStringView key, qsizetype skip);

// The order of two keys by their heads, when the heads decide it; otherwise compare() must.
// Both heads are of keys that share the same first `skip` characters.
std::optional<int> compareHeads(quint64 a, quint64 b);

} // namespace TextOrder
