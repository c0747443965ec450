#include "fakes/OptionFixture.h"
#include "settings/SetupFile.h"

#include <QDir>
#include <QFile>

#include <gtest/gtest.h>

namespace {

QByteArray lines(std::initializer_list<const char *> list)
{
    QByteArray out;
    for (const char *line : list)
        out += QByteArray(line) + "\r\n";
    return out;
}

TEST(SetupFileName, RoundsToTheNearestDay)
{
    struct Case
    {
        QTime time;
        QDate expected;
    };
    const QDate day(2024, 12, 31);
    for (const Case &c : {Case{QTime(0, 0), day}, Case{QTime(11, 59, 59), day},
                          Case{QTime(12, 0), QDate(2025, 1, 1)}, Case{QTime(15, 0), QDate(2025, 1, 1)}})
        EXPECT_EQ(SetupFile::roundedDay(QDateTime(day, c.time)), c.expected)
            << c.time.toString().toStdString();
}

TEST(SetupFileSearch, GreatestDateWinsWhateverTheOrderAndJunkIsIgnored)
{
    OptionFixture f;
    f.writeSetup(QStringLiteral("2025-01-02"), "");
    f.writeSetup(QStringLiteral("2024-12-31"), "");
    f.writeSetup(QStringLiteral("latest"), "");
    f.writeSetup(QStringLiteral("2099-13-45"), "");
    f.folder.write(QStringLiteral("Setup/farsetup-2025-01-05.TXT"), "");
    f.folder.write(QStringLiteral("Setup/Other-2030-01-01.txt"), "");
    EXPECT_EQ(SetupFile::newest(f.folder.path(), f.clock.now()),
              SetupFile::path(f.folder.path(), QDate(2025, 1, 5)));
}

TEST(SetupFileSearch, NoFileNamesTheRoundedPresentDay)
{
    OptionFixture f;
    f.clock.moment = QDateTime(QDate(2024, 3, 7), QTime(13, 0));
    EXPECT_EQ(SetupFile::newest(f.folder.path(), f.clock.now()),
              SetupFile::path(f.folder.path(), QDate(2024, 3, 8)));
}

TEST(HentSprog, TakesTheFirstLanguageEntry)
{
    OptionFixture f;
    f.writeSetup(QStringLiteral("2024-01-01"), lines({"Language\tDE", "COMPort\t3"}));
    f.writeSetup(QStringLiteral("2024-02-01"), lines({"COMPort\t3", "Language\tDK", "Language\tUK"}));
    QString language = QStringLiteral("unchanged");
    f.options->HentSprog(language);
    EXPECT_EQ(language, u"DK");
    EXPECT_TRUE(f.dialogs.messages.empty());
}

TEST(HentSprog, MissingFileIsReportedAndLeavesTheLanguage)
{
    OptionFixture f;
    QString language = QStringLiteral("UK");
    f.options->HentSprog(language);
    EXPECT_EQ(language, u"UK");
    ASSERT_EQ(f.dialogs.messages.size(), 1u);
    EXPECT_EQ(f.dialogs.messages[0].title, u"PC Vimo 2");
    EXPECT_EQ(f.dialogs.messages[0].text,
              SetupFile::path(f.folder.path(), QDate(2024, 3, 7)) + QStringLiteral(" does not exist"));
}

TEST(LoadFrmOption, AppliesEveryKnownKeyAndListsPorts)
{
    OptionFixture f;
    int listings = 0;
    f.options->setPortLister([&listings] { ++listings; });
    f.writeSetup(QStringLiteral("2024-03-01"),
                 lines({"Language\tDK", "COMPort\t5", "Temperature\t1", "Interval 1\t02:00",
                        "Interval 2\t00:30", "Duration 1\t01:15", "No of Hand Terminals\t4", "Staff 1\tAnna",
                        "Staff 3\t\"Bo Jensen\"", "Staff 20\tLast", "Staff 21\tNobody", "staff 2\tlower",
                        "Medicine 10\tOxytocin", "Unknown\tx", "Interval 1"}));
    f.options->LoadFrmOption();

    EXPECT_TRUE(f.dialogs.messages.empty());
    EXPECT_EQ(f.options->SavedComPort, 5);
    EXPECT_EQ(f.options->cmbTemp.currentIndex(), 1);
    EXPECT_EQ(f.options->txtIntv1.text(), u"Interval 1"); // a line without TAB is its own value
    EXPECT_EQ(f.options->txtIntv2.text(), u"00:30");
    EXPECT_EQ(f.options->txtDur1.text(), u"01:15");
    EXPECT_EQ(f.options->txtNoHand.text(), u"4");
    EXPECT_EQ(f.options->mshStaff.text(1, 1), u"Anna");
    EXPECT_EQ(f.options->mshStaff.text(2, 1), u"");
    EXPECT_EQ(f.options->mshStaff.text(3, 1), u"Bo Jensen");
    EXPECT_EQ(f.options->mshStaff.text(20, 1), u"Last");
    EXPECT_EQ(f.options->mshStaff.rows(), 21);
    EXPECT_EQ(f.options->mshMedicine.text(10, 1), u"Oxytocin");
    EXPECT_EQ(listings, 1);
}

TEST(LoadFrmOption, BadValuesStopReadingAndSkipThePortListing)
{
    struct Case
    {
        const char *name;
        const char *badLine;
    };
    for (const Case &c :
         {Case{"ComPortNotANumber", "COMPort\tthree"}, Case{"ComPortOutOfRange", "COMPort\t40000"},
          Case{"TemperatureBeyondList", "Temperature\t2"}, Case{"TemperatureNotANumber", "Temperature\tx"},
          Case{"LoneQuote", "Staff 2\t\""}}) {
        OptionFixture f;
        int listings = 0;
        f.options->setPortLister([&listings] { ++listings; });
        f.writeSetup(QStringLiteral("2024-03-01"), lines({"Staff 1\tBefore", c.badLine, "Staff 3\tAfter"}));
        f.options->LoadFrmOption();
        EXPECT_EQ(f.options->mshStaff.text(1, 1), u"Before") << c.name;
        EXPECT_EQ(f.options->mshStaff.text(3, 1), u"") << c.name;
        EXPECT_EQ(listings, 0) << c.name;
        ASSERT_EQ(f.dialogs.messages.size(), 1u) << c.name;
        EXPECT_EQ(f.dialogs.messages[0].title, u"HM Set-up: Language Information File not found");
        EXPECT_EQ(
            f.dialogs.messages[0].text,
            QStringLiteral("Text File ") + SetupFile::path(f.folder.path(), QDate(2024, 3, 1))
                + QStringLiteral(" doesn't exist or is bad. Get updated information from your dealer."));
        EXPECT_EQ(f.options->cmbCom.count(), 21) << c.name;
    }
}

TEST(LoadFrmOption, TemperatureMinusOneSelectsNothing)
{
    OptionFixture f;
    f.writeSetup(QStringLiteral("2024-03-01"), lines({"Temperature\t-1"}));
    f.options->LoadFrmOption();
    EXPECT_EQ(f.options->cmbTemp.currentIndex(), -1);
    EXPECT_TRUE(f.dialogs.messages.empty());
}

TEST(SetupSave, WritesThirtySevenLinesThatReadBack)
{
    OptionFixture f;
    f.clock.moment = QDateTime(QDate(2024, 3, 7), QTime(15, 0));
    f.options->show();
    f.options->cmbLan.addItem(QStringLiteral("none"));
    f.options->cmbLan.addItem(QStringLiteral("DK"));
    f.options->cmbLan.setCurrentIndex(1);
    f.options->cmbCom.setCurrentIndex(4);
    f.options->txtIntv1.setText(QStringLiteral("02:00"));
    f.options->mshStaff.setText(2, 1, QStringLiteral("Søren"));
    f.options->mshMedicine.setText(10, 1, QStringLiteral("Oxytocin"));
    f.options->cmdGemLuk.click();

    EXPECT_FALSE(f.options->isVisible());
    const QByteArray file = f.folder.read(QStringLiteral("Setup/FarSetup-2024-03-08.txt"));
    const QList<QByteArray> written = file.split('\n');
    ASSERT_EQ(written.size(), 38); // 37 lines and the empty rest after the last CR LF
    EXPECT_EQ(written[0], "Language\tDK\r");
    EXPECT_EQ(written[1], "COMPort\t4\r"); // the initial list: the entry's position
    EXPECT_EQ(written[2], "Temperature\t0\r");
    EXPECT_EQ(written[3], "Interval 1\t02:00\r");
    EXPECT_EQ(written[6], "No of Hand Terminals\ttxtNoHand\r");
    EXPECT_EQ(written[8], "Staff 2\tS\xF8ren\r");
    EXPECT_EQ(written[36], "Medicine 10\tOxytocin\r");

    OptionFixture reread;
    reread.folder.write(QStringLiteral("Setup/FarSetup-2024-03-08.txt"), file);
    reread.options->LoadFrmOption();
    QString language;
    reread.options->HentSprog(language);
    EXPECT_EQ(language, u"DK");
    EXPECT_EQ(reread.options->SavedComPort, 4);
    EXPECT_EQ(reread.options->mshStaff.text(2, 1), QStringLiteral("Søren"));
    EXPECT_EQ(reread.options->txtIntv1.text(), u"02:00");
}

TEST(SetupSave, ListedPortSavesItsNumberAndNoSelectionSavesMinusOne)
{
    OptionFixture f;
    f.options->cmbCom.clear();
    f.options->cmbCom.addItem(QStringLiteral("USB Serial Port (COM7)"), 7);
    f.options->cmbCom.setCurrentIndex(0);
    f.options->cmdGemLuk.click();
    EXPECT_TRUE(f.folder.read(QStringLiteral("Setup/FarSetup-2024-03-07.txt")).contains("COMPort\t7\r\n"));

    f.options->cmbCom.setCurrentIndex(-1);
    f.options->cmdGemLuk.click();
    EXPECT_TRUE(f.folder.read(QStringLiteral("Setup/FarSetup-2024-03-07.txt")).contains("COMPort\t-1\r\n"));
}

TEST(SetupSave, FailureKeepsTheWindowOpenAndTheOldFileWhole)
{
    OptionFixture f;
    QDir(f.folder.file(QStringLiteral("Setup"))).removeRecursively();
    f.options->show();
    f.options->mshStaff.setText(1, 1, QStringLiteral("Edited"));
    f.options->cmdGemLuk.click();
    EXPECT_TRUE(f.options->isVisible());
    EXPECT_EQ(f.options->mshStaff.text(1, 1), u"Edited");
    ASSERT_EQ(f.dialogs.messages.size(), 1u);
    EXPECT_EQ(f.dialogs.messages[0].title, u"FILE PROBLEM");
    EXPECT_EQ(f.dialogs.messages[0].text, u"Data was not stored correctly. Restart PC and try again");
}

} // namespace
