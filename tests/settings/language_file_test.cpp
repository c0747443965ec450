#include "fakes/FakeDialogs.h"
#include "fakes/TempFolder.h"
#include "platform/ComboBox.h"
#include "settings/LanguageFile.h"
#include "settings/TextTable.h"

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

// Loads a language file (none when null): every text read as "number=text", then the line a
// complaint names.
static QString load(const QByteArray &file, const char *language)
{
    TempFolder folder;
    if (!file.isNull())
        folder.write(u"ViMoText.txt"_s, file);
    TextTable texts;
    FakeDialogs dialogs;
    LanguageFile::LoadLanguage(texts, folder.path(), QString::fromLatin1(language), dialogs);
    QStringList out;
    for (int n = 0; n < TextTable::kSize; ++n)
        if (!texts.text(n).isEmpty())
            out << u"%1=%2"_s.arg(n).arg(texts.text(n));
    for (const auto &message : dialogs.messages)
        out << u"line "_s + message.text.section(u"(check line "_s, 1).section(u')', 0, 0);
    return out.join(u' ');
}

TEST(LanguageLoad, FileTextInTextsOut)
{
    const QByteArray eleven = "I\tUK\tA\tB\tC\tD\tE\tF\tG\tH\tXX\n3\tu\ta\tb\tc\td\te\tf\tg\th\tx";
    const std::tuple<QByteArray, const char *, const char *> cases[] = {
        {"Idx\tUK\tDK\n2\tSow\tSo", "DK", "2=So"},
        {"Idx\tDE\tUK\n2\tSau\tSow", "FR", "2=Sow"}, // the UK column stands in
        {"Idx\tDE\tDK\n2\tSau\tSo", "FR", ""},
        {eleven, "H", "3=h"},
        {eleven, "XX", "3=u"}, // only nine languages are read
        {"Idx\tUK\tDK\tDE\n5\tHello", "DE", "5=Hello"}, // a short line repeats its last field
        {"Idx\tUK\tDK\tDE\n2\t\tSo\tSau", "DE", "2=Sau"}, // an empty field is one
        {"Idx\tUK\n7\t\"Hi\"\n8\t\"Hi\n9\tfirst\n9\t  second \n6\t\"\"", "UK", "7=Hi 8=H 9=  second "},
        {"Idx\tUK\n104\tLast\n105\tBad", "UK", "104=Last line 3"},
        {"Idx\tUK\n2\tSow\n\n3\tFrom", "UK", "2=Sow line 3"},
        {"Idx\tUK\n-1\tBad", "UK", "line 2"},
        {"Idx\tUK\nabc\tBad\n4\tTo", "UK", "line 2"},
        {"Idx\tUK\n2\tSow\n5e126\tx", "UK", "2=Sow line 3"},
        {"Idx\tUK\n2\t\"", "UK", "line 2"},
        {QByteArray(32764, 'x') + "\tUK\n2\tSow", "UK", "2=Sow"},
        {QByteArray(32765, 'x') + "\tUK\n2\tSow", "UK", "line 0"}, // a header beyond 32767 characters
        {"", "UK", "line 0"},
        {QByteArray(), "UK", "line 0"},
    };
    for (const auto &[file, language, texts] : cases)
        EXPECT_EQ(load(file, language), QString::fromLatin1(texts)) << file.left(40).toStdString();
}

// The file that ships with the program has every text the program shows in each language; the
// numbers of those texts run in five unbroken blocks.
TEST(ShippedLanguageFile, EveryTextTheProgramShowsInEachLanguage)
{
    const std::pair<Txt, Txt> shown[] = {{Txt::SowHeading, Txt::Options},
                                         {Txt::StaffHeading, Txt::Language},
                                         {Txt::ListPorts, Txt::ReactionTimeColumn},
                                         {Txt::DateTimeColumn, Txt::ChartLitters},
                                         {Txt::PortNoPermission, Txt::FlagsHeading}};
    for (const QString &language : {u"UK"_s, u"DK"_s, u"DE"_s}) {
        TextTable texts;
        ComboBox list;
        FakeDialogs dialogs;
        LanguageFile::LoadLanguage(texts, QStringLiteral(PCVIMO_DATA_DIR), language, dialogs);
        LanguageFile::LoadCmbLan(list, QStringLiteral(PCVIMO_DATA_DIR), language, dialogs);
        // None and the three languages, each once.
        EXPECT_EQ(list.items().join(u' ') + u'|' + list.currentText(), u"none UK DK DE|"_s + language);
        for (const auto &[first, last] : shown)
            for (int n = int(first); n <= int(last); ++n)
                EXPECT_FALSE(texts.text(n).isEmpty()) << language.toStdString() << " text " << n;
    }
}
