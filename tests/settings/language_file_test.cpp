#include "fakes/FakeDialogs.h"
#include "fakes/TempFolder.h"
#include "platform/ComboBox.h"
#include "settings/LanguageFile.h"
#include "settings/TextTable.h"

#include <gtest/gtest.h>

namespace {

const QString kTitle = QStringLiteral("HM Set-up: Language Information File not found");

struct LanguageCase
{
    const char *name;
    const char *file; // "\n" becomes CR LF
    const char *language;
    std::vector<std::pair<int, const char *>> expected; // index, text
    int messageLine; // -1: no message
};

QByteArray crlf(const char *text)
{
    return QByteArray(text).replace("\n", "\r\n");
}

class LanguageLoad : public ::testing::TestWithParam<LanguageCase>
{
};

TEST_P(LanguageLoad, ChoosesColumnAndStoresTexts)
{
    const LanguageCase &c = GetParam();
    TempFolder folder;
    folder.write(QStringLiteral("ViMoText.txt"), crlf(c.file));
    TextTable texts;
    FakeDialogs dialogs;

    LanguageFile::LoadLanguage(texts, folder.path(), QString::fromUtf8(c.language), dialogs);

    for (const auto &[index, text] : c.expected)
        EXPECT_EQ(texts.text(index), QString::fromUtf8(text)) << "text " << index;
    if (c.messageLine < 0) {
        EXPECT_TRUE(dialogs.messages.empty());
    } else {
        ASSERT_EQ(dialogs.messages.size(), 1u);
        EXPECT_EQ(dialogs.messages[0].title, kTitle);
        EXPECT_EQ(dialogs.messages[0].text,
                  QStringLiteral("Text File ") + folder.file(QStringLiteral("ViMoText.txt"))
                      + QStringLiteral(" doesn't exist or is bad (check line ")
                      + QString::number(c.messageLine)
                      + QStringLiteral("). Get updated information from your dealer."));
    }
}

INSTANTIATE_TEST_SUITE_P(
    Cases, LanguageLoad,
    ::testing::Values(
        LanguageCase{"RequestedColumn", "Idx\tUK\tDK\n2\tSow\tSo\n", "DK", {{2, "So"}}, -1},
        LanguageCase{"MissingLanguageFallsBackToUK", "Idx\tUK\tDK\n2\tSow\tSo\n", "", {{2, "Sow"}}, -1},
        LanguageCase{"UKNotFirst", "Idx\tDE\tUK\n2\tSau\tSow\n", "FR", {{2, "Sow"}}, -1},
        LanguageCase{"NeitherLanguageNorUK", "Idx\tDE\tDK\n2\tSau\tSo\n", "FR", {{2, ""}}, -1},
        LanguageCase{"ColumnElevenNotLoaded",
                     "I\tUK\tA\tB\tC\tD\tE\tF\tG\tH\tXX\n3\tu\ta\tb\tc\td\te\tf\tg\th\tx\n",
                     "XX",
                     {{3, "u"}},
                     -1},
        LanguageCase{"ShortLineRepeatsLastField", "Idx\tUK\tDK\tDE\n5\tHello\n", "DE", {{5, "Hello"}}, -1},
        LanguageCase{"QuotedField", "Idx\tUK\n7\t\"Hi\"\n8\t\"Hi\n", "UK", {{7, "Hi"}, {8, "H"}}, -1},
        LanguageCase{"LaterLineWins", "Idx\tUK\n7\tfirst\n7\tsecond\n", "UK", {{7, "second"}}, -1},
        LanguageCase{"BlanksKept", "Idx\tUK\n7\t  padded \n", "UK", {{7, "  padded "}}, -1},
        LanguageCase{
            "EmptyLineFailsWithItsNumber", "Idx\tUK\n2\tSow\n\n3\tFrom\n", "UK", {{2, "Sow"}, {3, ""}}, 3},
        LanguageCase{"IndexOutOfRange", "Idx\tUK\n2\tSow\n101\tBad\n", "UK", {{2, "Sow"}}, 3},
        LanguageCase{"NegativeIndex", "Idx\tUK\n-1\tBad\n", "UK", {}, 2},
        LanguageCase{"IndexNotANumber", "Idx\tUK\nabc\tBad\n4\tTo\n", "UK", {{4, ""}}, 2},
        LanguageCase{"LoneQuoteField", "Idx\tUK\n2\t\"\n", "UK", {{2, ""}}, 2},
        LanguageCase{"EmptyFile", "", "UK", {}, 0},
        LanguageCase{"LfOnlyLineEnds", "Idx\tUK\n9\tnine", "UK", {{9, "nine"}}, -1}),
    [](const auto &info) { return std::string(info.param.name); });

TEST(LanguageLoad, MissingFileNamesLineZero)
{
    TempFolder folder;
    TextTable texts;
    FakeDialogs dialogs;
    LanguageFile::LoadLanguage(texts, folder.path(), QStringLiteral("UK"), dialogs);
    ASSERT_EQ(dialogs.messages.size(), 1u);
    EXPECT_TRUE(dialogs.messages[0].text.contains(QStringLiteral("(check line 0)")));
}

TEST(LanguageLoad, HugeHeaderAndBinaryJunkNeverCrash)
{
    TempFolder folder;
    QByteArray junk(40000, 'x');
    junk += "\tUK\r\n";
    for (int i = 0; i < 256; ++i)
        junk += char(i);
    folder.write(QStringLiteral("ViMoText.txt"), junk);
    TextTable texts;
    FakeDialogs dialogs;
    LanguageFile::LoadLanguage(texts, folder.path(), QStringLiteral("UK"), dialogs);
    ASSERT_EQ(dialogs.messages.size(), 1u);
    EXPECT_TRUE(dialogs.messages[0].text.contains(QStringLiteral("(check line 0)")));
}

TEST(LanguageList, ListsHeaderColumnsTwoToElevenAndSelectsCurrent)
{
    TempFolder folder;
    folder.write(QStringLiteral("ViMoText.txt"),
                 crlf("I\tUK\tDK\tDE\tA\tB\tC\tD\tE\tF\tXX\tYY\n2\tSow\tSo\tSau\ta\tb\tc\td\te\tf\tx\ty\n"));
    ComboBox list;
    FakeDialogs dialogs;
    LanguageFile::LoadCmbLan(list, folder.path(), QStringLiteral("XX"), dialogs);
    ASSERT_EQ(list.count(), 11);
    EXPECT_EQ(list.itemText(0), u"none");
    EXPECT_EQ(list.itemText(1), u"UK");
    EXPECT_EQ(list.itemText(10), u"XX");
    EXPECT_EQ(list.currentIndex(), 10);
    EXPECT_TRUE(dialogs.messages.empty());
}

TEST(LanguageList, NoneIsNeverSelectedAndMissingFileIsReported)
{
    TempFolder folder;
    folder.write(QStringLiteral("ViMoText.txt"), crlf("I\tUK\n"));
    ComboBox list;
    FakeDialogs dialogs;
    LanguageFile::LoadCmbLan(list, folder.path(), QStringLiteral("none"), dialogs);
    EXPECT_EQ(list.count(), 2);
    EXPECT_EQ(list.currentIndex(), -1);

    TempFolder empty;
    ComboBox other;
    LanguageFile::LoadCmbLan(other, empty.path(), QStringLiteral("UK"), dialogs);
    ASSERT_EQ(dialogs.messages.size(), 1u);
    EXPECT_EQ(dialogs.messages[0].text,
              QStringLiteral("Text File ") + empty.file(QStringLiteral("ViMoText.txt"))
                  + QStringLiteral(" doesn't exist or is bad. Get updated information from your dealer."));
    EXPECT_EQ(other.count(), 0);
}

} // namespace
