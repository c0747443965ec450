#pragma once

#include <QStringView>

#include <optional>

// Reading numbers out of texts that users and other programs wrote.
namespace NumberText {

// A text that is a number as a whole (blanks around it allowed, a fraction rounded half to
// even) within the 16-bit signed range; nothing otherwise.
std::optional<int> wholeNumber16(QStringView text);

// The number at the start of a text (its leading numeric part), 0 when there is none.
double leadingNumber(QStringView text);

// Rounds half to even, as the program's whole-number conversions do; a value beyond the
// range of long long gives its nearest end, NaN gives 0.
long long roundHalfEven(double value);

} // namespace NumberText
