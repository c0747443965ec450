// A number typed where a whole one is wanted: its numeric start, rounded half to even and held at
// the ends of the range (as the count of hand terminals is read). The fuzzers' finds are rows here
// and in the setup and language file tables.
#include "settings/NumberText.h"

#include <QString>

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

using namespace Qt::StringLiterals;

TEST(NumberText, TextInWholeNumberOut)
{
    constexpr long long most = std::numeric_limits<long long>::max(),
                        least = std::numeric_limits<long long>::min();
    const std::pair<QString, long long> cases[] = {
        {u"6.5"_s, 6},
        {u"7.5x"_s, 8},
        {u"-2.5"_s, -2},
        {u" \t12abc"_s, 12},
        {u"-3.5.1"_s, -4},
        {u"+.6"_s, 1},
        {u"9."_s, 9},
        {u"٣"_s, 0},
        {u"9223372036854775807"_s, most},
        {u"-9223372036854775808"_s, least},
        {u"-"_s + QString(300, u'9'), least},
    };
    for (const auto &[text, number] : cases)
        EXPECT_EQ(NumberText::roundHalfEven(NumberText::leadingNumber(text)), number) << text.toStdString();
    EXPECT_EQ(NumberText::roundHalfEven(std::nan("")), 0);
}
