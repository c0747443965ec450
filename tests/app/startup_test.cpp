#include "AppFixture.h"

#include "Version.h"

#include <QDir>

#include <functional>

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

TEST(StartUp, TracesEveryStageLeavesTheProgramReadyAndCloses)
{
    AppFixture f;
    f.writeLog("2024-03-06 22:10\t1\tB2        \t12\t1\t0\t0\t0\t1\t7\t385\t6\t3");
    f.writeLog("2024-03-07 04:00\t0\tA1        \t9\t0\t0\t1\t1\t0\t0\t0\t4\t2");
    // The program's default settings, kept out by the farm's own file.
    f.folder.write(u"FarSetup-default.txt"_s, "Language\tUK\r\nNo of Hand Terminals\t5\r\n");
    frmVimo &v = f.vimo;
    frmOption &o = f.program.options();
    bool traceShown = false; // while the start-up runs, so that a slow one shows how far it got
    QObject::connect(&f.program.traceWindow(), &Form::changed,
                     [&] { traceShown = traceShown || f.program.traceWindow().isVisible(); });
    f.program.start();
    EXPECT_TRUE(traceShown);
    EXPECT_EQ(v.lblActivity.caption(), u"D6") << "before the first second's work";
    EXPECT_EQ(f.program.traceWindow().txtFileProblem.text(),
              QStringLiteral("Current directory %3%1\r\nHerdFolio directory \r\nLanguage DK\r\n"
                             "Language() loadedDK\r\nOption form loaded\r\nSetup parameters loaded\r\n"
                             "Available languages loaded\r\nLast two days records loaded from%2\r\n")
                  .arg(QDir::separator(), f.folder.file(u"VimoLog/FAR-2024-03-07.txt"_s),
                       QDir::toNativeSeparators(u"/home/farm"_s)));
    EXPECT_TRUE(f.dialogs.messages.empty());
    EXPECT_TRUE(v.isVisible() && !f.program.traceWindow().isVisible() && !o.isVisible());
    EXPECT_EQ(v.title(), u"PC Vimo 2 Version " PCVIMO_VERSION);
    v.timSekund.tick(); // not a change of day

    EXPECT_TRUE(f.port.isOpen() && f.port.portNumber() == 3 && o.timModtag.isEnabled());
    // The terminals numbered in the status grid, two days' records in the grid, their sows sorted.
    EXPECT_EQ(
        QStringList({v.lblBus.caption(), v.mshVimo.text(0, 13), o.cmbLan.currentText(),
                     o.mshStatus.text(1, 0), o.mshStatus.text(o.mshStatus.rows() - 1, 0),
                     v.dtpStart.value().toString(Qt::ISODate), v.dtpSlut.value().toString(Qt::ISODate),
                     QString::number(v.mshVimo.rows()), v.mshVimo.text(2, 1), v.mshVimo.text(2, 2),
                     v.cmbSow.itemText(1), v.cmbSow.itemText(2)})
            .join(u'|'),
        u"D5|D45|DK|1|3|2024-03-06T09:30:00|2024-03-07T09:30:00|4|2024-03-06 22:10|Bo|A1        |B2        ");

    EXPECT_TRUE(v.cmdUpdate.isEnabled()) << "choosing the first sow entry by program enables it";
    v.dtpStart.userSetValue(QDateTime(QDate(2024, 1, 1), QTime(0, 0)));
    EXPECT_EQ(v.mshVimo.rows(), 4) << "only the update button reloads";
    v.cmdOption.click();
    EXPECT_TRUE(o.isVisible());
    EXPECT_TRUE(v.userCloseRequest());
    EXPECT_FALSE(f.port.isOpen()) << "closing the window closes the port and ends the program";
    EXPECT_EQ(f.ends, 1);

    // Without its files the program says so and still starts.
    AppFixture bare;
    QFile::remove(bare.folder.file(u"ViMoText.txt"_s));
    QFile::remove(bare.folder.file(u"Setup/FarSetup-2024-03-01.txt"_s));
    bare.program.start();
    EXPECT_EQ(bare.dialogs.messages.size(), 4u) << "the setup file and three parts of the language file";
    EXPECT_EQ(bare.program.options().mshStatus.rows(), 1) << "no terminals";
    EXPECT_TRUE(bare.vimo.isVisible() && !bare.port.isOpen());

    // A new installation starts from the program's default settings.
    AppFixture fresh;
    fresh.folder.write(u"FarSetup-default.txt"_s, "Language\tUK\r\nNo of Hand Terminals\t5\r\n");
    QFile::remove(fresh.folder.file(u"Setup/FarSetup-2024-03-01.txt"_s));
    fresh.program.start();
    EXPECT_EQ(u"%1 %2"_s.arg(fresh.program.currentLanguage()).arg(fresh.program.options().mshStatus.rows()),
              u"UK 6");
    EXPECT_TRUE(fresh.dialogs.messages.empty());
}

// Update is offered once the user changes the range or the sow, not before.
TEST(UpdateButton, OfferedOnceTheRangeOrTheSowIsChanged)
{
    const std::pair<const char *, std::function<void(frmVimo &)>> changes[] = {
        {"the start", [](frmVimo &v) { v.dtpStart.userSetValue(QDateTime(QDate(2024, 1, 1), QTime(0, 0))); }},
        {"the end", [](frmVimo &v) { v.dtpSlut.userSetValue(QDateTime(QDate(2024, 1, 1), QTime(0, 0))); }},
        {"the sow", [](frmVimo &v) { v.cmbSow.addItem(u"A1"_s), v.cmbSow.userSelect(0); }},
    };
    for (const auto &[name, change] : changes) {
        frmVimo v;
        EXPECT_FALSE(v.cmdUpdate.isEnabled()) << name;
        change(v);
        EXPECT_TRUE(v.cmdUpdate.isEnabled()) << name;
    }
}
