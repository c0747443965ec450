// Inputs the fuzzers found to break the reading of numbers out of files, kept as cases.
#include "fakes/FakeDialogs.h"
#include "fakes/OptionFixture.h"
#include "fakes/TempFolder.h"
#include "settings/LanguageFile.h"
#include "settings/NumberText.h"
#include "settings/TextTable.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <optional>

namespace {

constexpr long long kMost = std::numeric_limits<long long>::max();
constexpr long long kLeast = std::numeric_limits<long long>::min();

struct RoundCase
{
    const char *name;
    double value;
    long long expected;
};

class RoundHalfEven : public ::testing::TestWithParam<RoundCase>
{
};

TEST_P(RoundHalfEven, RoundsOrSaturates)
{
    EXPECT_EQ(NumberText::roundHalfEven(GetParam().value), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, RoundHalfEven,
    ::testing::Values(RoundCase{"HalfToEvenDown", 6.5, 6}, RoundCase{"HalfToEvenUp", 7.5, 8},
                      RoundCase{"NegativeHalf", -2.5, -2}, RoundCase{"FarBeyondTheTop", 3.66667e126, kMost},
                      RoundCase{"JustBeyondTheTop", 9223372036854775808.0, kMost},
                      RoundCase{"FarBelowTheBottom", -1e300, kLeast},
                      RoundCase{"TheBottomItself", -9223372036854775808.0, kLeast},
                      RoundCase{"Infinity", std::numeric_limits<double>::infinity(), kMost},
                      RoundCase{"NotANumber", std::nan(""), 0}),
    [](const auto &info) { return std::string(info.param.name); });

struct WholeCase
{
    const char *name;
    const char16_t *text;
    std::optional<int> expected;
};

class WholeNumber16 : public ::testing::TestWithParam<WholeCase>
{
};

TEST_P(WholeNumber16, TakesOnlyNumbersOfTheRange)
{
    EXPECT_EQ(NumberText::wholeNumber16(QStringView(GetParam().text)), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(Cases, WholeNumber16,
                         ::testing::Values(WholeCase{"Exponent", u"5e126", std::nullopt},
                                           WholeCase{"Overflowing", u"1e400", std::nullopt},
                                           WholeCase{"HugeNegative", u"-1e19", std::nullopt},
                                           WholeCase{"TopRoundsOut", u"32767.5", std::nullopt},
                                           WholeCase{"BottomRoundsIn", u"-32768.5", -32768},
                                           WholeCase{"Blanks", u" 7.5 ", 8},
                                           WholeCase{"NotANumber", u"nan", std::nullopt},
                                           WholeCase{"Infinite", u"inf", std::nullopt}),
                         [](const auto &info) { return std::string(info.param.name); });

TEST(LeadingNumber, AHundredDigitsSaturateWhenRounded)
{
    const QString digits(100, u'9');
    EXPECT_EQ(NumberText::roundHalfEven(NumberText::leadingNumber(digits) + 1), kMost);
}

// A huge number where a text index or a setting is expected is a bad line like any other.
TEST(LanguageFileNumbers, HugeIndexIsABadLine)
{
    TempFolder folder;
    folder.write(QStringLiteral("ViMoText.txt"),
                 QByteArrayLiteral("Idx\tUK\r\n2\tSow\r\n5e126\tx\r\n3\tFrom\r\n"));
    TextTable texts;
    FakeDialogs dialogs;
    LanguageFile::LoadLanguage(texts, folder.path(), QStringLiteral("UK"), dialogs);
    EXPECT_EQ(texts.text(2), u"Sow");
    EXPECT_TRUE(texts.text(3).isEmpty());
    ASSERT_EQ(dialogs.messages.size(), 1u);
    EXPECT_TRUE(dialogs.messages[0].text.contains(QStringLiteral("(check line 3)")))
        << dialogs.messages[0].text.toStdString();
}

struct SetupNumberCase
{
    const char *name;
    const char *line;
};

class SetupFileNumbers : public ::testing::TestWithParam<SetupNumberCase>
{
};

TEST_P(SetupFileNumbers, HugeNumberIsABadLine)
{
    OptionFixture f;
    f.writeSetup(QStringLiteral("2024-03-01"),
                 QByteArray("Interval 1\t01:00\r\n") + GetParam().line + "\r\nInterval 2\t02:00\r\n");
    f.options->LoadFrmOption();
    EXPECT_EQ(f.options->txtIntv1.text(), u"01:00");
    EXPECT_EQ(f.options->txtIntv2.text(), u"txtIntv2");
    EXPECT_EQ(f.options->SavedComPort, 0);
    EXPECT_EQ(f.options->cmbTemp.currentIndex(), 0);
    EXPECT_EQ(f.dialogs.messages.size(), 1u);
}

INSTANTIATE_TEST_SUITE_P(Cases, SetupFileNumbers,
                         ::testing::Values(SetupNumberCase{"ComPort", "COMPort\t1e300"},
                                           SetupNumberCase{"Temperature", "Temperature\t1e50"},
                                           SetupNumberCase{"NegativeTemperature", "Temperature\t-1e19"}),
                         [](const auto &info) { return std::string(info.param.name); });

} // namespace
