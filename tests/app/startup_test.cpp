#include "AppFixture.h"
#include "link/PollScheduler.h"

#include <QDir>

#include <gtest/gtest.h>

namespace {

TEST(StartUp, TracesEveryStageAndLeavesTheProgramReady)
{
    AppFixture f;
    f.folder.write(QStringLiteral("VimoLog/FAR-2024-03-06.txt"),
                   "header\r\n2024-03-06 22:10\t1\tB2        \t12\t1\t0\t0\t0\t1\t7\t385\t6\t3\r\n");
    f.folder.write(QStringLiteral("VimoLog/FAR-2024-03-07.txt"),
                   "header\r\n2024-03-07 04:00\t0\tA1        \t9\t0\t0\t1\t1\t0\t0\t0\t4\t2\r\n");
    frmVimo &v = *f.vimo;
    v.Load();

    const QString sep = QDir::separator();
    const QString todayLog
        = f.folder.path() + sep + QStringLiteral("VimoLog") + sep + QStringLiteral("FAR-2024-03-07.txt");
    EXPECT_EQ(v.traceWindow().txtFileProblem.text(),
              QStringLiteral("Current directory /home/farm") + sep
                  + QStringLiteral("\r\nHerdFolio directory \r\n")
                  + QStringLiteral("Language DK\r\nLanguage() loadedDK\r\nOption form loaded\r\n")
                  + QStringLiteral("Setup parameters loaded\r\nAvailable languages loaded\r\n")
                  + QStringLiteral("Last two days records loaded from") + todayLog + QStringLiteral("\r\n"));
    EXPECT_TRUE(f.dialogs.messages.empty());

    EXPECT_EQ(v.title(), u"PC Vimo 2 Version 1.00");
    EXPECT_EQ(v.width(), 13500);
    EXPECT_EQ(v.options().title(), u"PC Vimo 2 ver. 1.00: D7");
    EXPECT_EQ(v.cmdOption.caption(), u"D7");
    EXPECT_EQ(v.lblBus.caption(), u"D5");
    EXPECT_EQ(v.mshVimo.text(0, 1), u"D57");
    EXPECT_EQ(v.mshVimo.text(0, 13), u"D45");
    EXPECT_EQ(v.options().cmbLan.currentText(), u"DK");

    EXPECT_TRUE(v.isVisible());
    EXPECT_FALSE(v.traceWindow().isVisible());
    EXPECT_FALSE(v.options().isVisible());
    EXPECT_TRUE(v.cmdUpdate.isEnabled()) << "choosing the first sow entry by program enables it";

    EXPECT_TRUE(f.port.isOpen());
    EXPECT_EQ(f.port.portNumber(), 3);
    EXPECT_EQ(v.options().timModtag.interval(), 300);
    EXPECT_TRUE(v.options().timModtag.isEnabled());

    ASSERT_EQ(v.options().mshStatus.rows(), 4);
    EXPECT_EQ(v.options().mshStatus.text(3, 0), u"3");

    EXPECT_EQ(v.dtpStart.value(), QDateTime(QDate(2024, 3, 6), QTime(9, 30)));
    EXPECT_EQ(v.dtpSlut.value(), QDateTime(QDate(2024, 3, 7), QTime(9, 30)));
    ASSERT_EQ(v.mshVimo.rows(), 4);
    EXPECT_EQ(v.mshVimo.text(2, 1), u"2024-03-06 22:10");
    EXPECT_EQ(v.mshVimo.text(2, 2), u"Bo");
    EXPECT_EQ(v.mshVimo.text(3, 9), u"D42");
    ASSERT_EQ(v.cmbSow.count(), 3);
    EXPECT_EQ(v.cmbSow.itemText(1), u"A1        ");

    EXPECT_EQ(v.scheduler().SecondCounter, PollScheduler::kFirstSecondCounter);
    EXPECT_EQ(v.scheduler().CurrentDay, 7);
}

TEST(StartUp, MissingFilesAreReportedAndTheProgramStillStarts)
{
    AppFixture f;
    QFile::remove(f.folder.file(QStringLiteral("ViMoText.txt")));
    QFile::remove(f.folder.file(QStringLiteral("Setup/FarSetup-2024-03-01.txt")));
    f.vimo->Load();

    std::vector<QString> titles;
    for (const auto &m : f.dialogs.messages)
        titles.push_back(m.title);
    const QString languageTitle = QStringLiteral("HM Set-up: Language Information File not found");
    EXPECT_EQ(
        titles,
        (std::vector<QString>{QStringLiteral("PC Vimo 2"), languageTitle, languageTitle, languageTitle}));
    EXPECT_TRUE(f.dialogs.messages[1].text.contains(QStringLiteral("(check line 0)")));
    EXPECT_TRUE(f.vimo->isVisible());
    EXPECT_EQ(f.vimo->cmdOption.caption(), u"");
    EXPECT_EQ(f.vimo->options().mshStatus.rows(), 1) << "txtNoHand still holds its own name: no terminals";
    EXPECT_EQ(f.vimo->options().cmbCom.count(), 21);
    EXPECT_FALSE(f.port.isOpen());
    EXPECT_TRUE(f.vimo->traceWindow().txtFileProblem.text().contains(QStringLiteral("\r\nLanguage \r\n")));
}

TEST(MainWindow, FilterChangesOnlyEnableUpdateAndOptionsShowTheOneWindow)
{
    AppFixture f;
    f.vimo->Load();
    const int rows = f.vimo->mshVimo.rows();
    f.vimo->dtpStart.userSetValue(QDateTime(QDate(2024, 1, 1), QTime(0, 0)));
    EXPECT_EQ(f.vimo->mshVimo.rows(), rows) << "only the update button reloads";
    f.vimo->cmdOption.click();
    f.vimo->cmdOption.click();
    EXPECT_TRUE(f.vimo->options().isVisible());
}

TEST(MainWindow, ClosingClosesThePortAndEndsTheProgram)
{
    AppFixture f;
    f.vimo->Load();
    int ends = 0;
    QObject::connect(f.vimo.get(), &frmVimo::programEnd, [&ends] { ++ends; });
    EXPECT_TRUE(f.vimo->userCloseRequest());
    EXPECT_FALSE(f.port.isOpen());
    EXPECT_EQ(ends, 1);
}

} // namespace
