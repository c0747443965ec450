// The main window as the office uses it: it grows on a large screen with the grid taking the room,
// its buttons answer their keys, Tab goes through its controls in their order on screen, and each
// user's window comes back where and as large as it was left.

#include "app/AppFixture.h"
#include "platform/qt/FormWindow.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QHeaderView>
#include <QScreen>
#include <QSettings>
#include <QTableView>
#include <QTest>

namespace {

// The program started on a day of 60 records, its main window on screen.
struct MainWindow : AppFixture
{
    MainWindow()
    {
        QByteArray log = "header\r\n";
        for (int i = 0; i < 60; ++i)
            log += QString::asprintf("2024-03-07 %02d:%02d\t0\t%d\t12\t1\t0\t1\t0\t0\t0\t385\t6\t0\r\n",
                                     6 + i / 30, i % 30 * 2, 1000 + i)
                       .toLatin1();
        folder.write(QStringLiteral("VimoLog/FAR-2024-03-07.txt"), log);
        writeLog("2024-03-01 10:00\t0\t7\t12\t1\t0\t1\t0\t0\t0\t385\t6\t0");
        program.start();
        QCoreApplication::processEvents();
    }
    QTableView *grid() const { return window.findChild<QTableView *>(QStringLiteral("mshVimo")); }
    // The placed control that has the focus (a date picker's focus is on its inner line edit).
    QString focused() const
    {
        const QWidget *w = QApplication::focusWidget();
        if (!w) // no focus at all fails the comparison, not the whole suite
            return {};
        return (w->parentWidget() == &window ? w : w->parentWidget())->objectName();
    }
    int rowsInSight() const { return grid()->rowAt(grid()->viewport()->height() - 1) - grid()->rowAt(0); }

    FormWindow window{vimo};
};

TEST(MainWindow, GrowsWithTheGridTakingTheRoomAndNoSmallerThanDescribed)
{
    MainWindow f;
    const QSize smallest = f.window.size();
    const QRect grid = f.grid()->geometry();
    const int columns = f.grid()->horizontalHeader()->length();
    const int rowHeight = f.grid()->rowHeight(5);
    const int rows = f.rowsInSight();
    QMap<QString, QRect> below;
    for (QWidget *w : f.window.findChildren<QWidget *>(Qt::FindDirectChildrenOnly))
        if (w->y() >= grid.bottom())
            below[w->objectName()] = w->geometry();
    ASSERT_EQ(below.size(), 15) << "every control but the grid lies below it";

    f.window.resize(smallest + QSize(700, 400));
    QCoreApplication::processEvents();
    EXPECT_EQ(f.grid()->height(), grid.height() + 400);
    EXPECT_GT(f.grid()->width(), grid.width() + 600) << "the grid takes the width too";
    EXPECT_EQ(f.grid()->horizontalHeader()->length(), columns) << "columns keep their widths";
    EXPECT_EQ(f.grid()->rowHeight(5), rowHeight);
    EXPECT_GE(f.rowsInSight(), rows + 400 / rowHeight - 1);
    for (auto it = below.cbegin(); it != below.cend(); ++it) {
        const int wider = it.key() == u"lblSummary" || it.key() == u"lblTerminals" ? 700 : 0;
        EXPECT_EQ(f.window.findChild<QWidget *>(it.key())->geometry(),
                  it.value().translated(0, 400).adjusted(0, 0, wider, 0))
            << qPrintable(it.key()) << ": moved down, the two notes as wide as the window";
    }

    f.window.resize(100, 100);
    QCoreApplication::processEvents();
    EXPECT_EQ(f.window.size(), smallest);
    EXPECT_EQ(f.grid()->geometry(), grid);
}

// Tab first, from the grid round to it again; then each key on a button.
TEST(MainWindow, TabGoesThroughTheControlsInTheirOrderOnScreenAndKeysClickTheirButtons)
{
    MainWindow f;
    f.window.show();
    f.window.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&f.window));
    f.grid()->setFocus();
    QStringList order{f.focused()};
    for (int i = 0; i < 9; ++i) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        order << f.focused();
    }
    EXPECT_EQ(order.join(u' '),
              u"mshVimo cmbSow dtpStart dtpSlut cmdUpdate cmdOption cmdExport cmdPrint cmdChart mshVimo");

    const int rowsOfTwoDays = f.vimo.mshVimo.rows();
    f.vimo.dtpStart.userSetValue(QDateTime(QDate(2024, 3, 1), QTime(0, 0)));
    const std::tuple<const char *, QKeyCombination, std::function<bool()>> cases[] = {
        {"F5 updates", Qt::Key_F5, [&] { return f.vimo.mshVimo.rows() == rowsOfTwoDays + 1; }},
        {"Ctrl+E exports", Qt::ControlModifier | Qt::Key_E,
         [&] { return f.dialogs.proposedPaths.size() == 1; }},
        {"Ctrl+P prints", Qt::ControlModifier | Qt::Key_P, [&] { return f.printer.printed.size() == 1; }},
        {"Ctrl+O opens the options", Qt::ControlModifier | Qt::Key_O,
         [&] { return f.program.options().isVisible(); }},
    };
    EXPECT_EQ(f.window.findChild<QWidget *>(QStringLiteral("cmdExport"))->toolTip(), u"Ctrl+E")
        << "a button's tooltip names its key";
    for (const auto &[name, keys, done] : cases) {
        EXPECT_FALSE(done()) << name;
        QTest::keyClick(&f.window, keys.key(), keys.keyboardModifiers());
        // A button's key shows it pressed for a moment before it clicks.
        EXPECT_TRUE(QTest::qWaitFor(done, 2000)) << name;
    }
}

TEST(MainWindow, ComesBackWhereAndAsLargeAsItWasLeftOnAScreenThatExists)
{
    MainWindow f;
    QSettings kept(f.folder.file(QStringLiteral("user.ini")), QSettings::IniFormat);
    // The main window left at `left` (none: nothing kept) and where a new one comes back.
    const auto cameBack = [&](QRect left) {
        if (left.isValid()) {
            f.window.setGeometry(left);
            f.window.savePlacement(kept, QStringLiteral("mainWindow/geometry"));
        }
        FormWindow again(f.vimo);
        again.restorePlacement(kept, QStringLiteral("mainWindow/geometry"));
        return again.geometry();
    };
    EXPECT_EQ(cameBack({}).size(), QSize(900, 560)) << "nothing kept: the described size";
    EXPECT_EQ(cameBack({40, 50, 1000, 700}), QRect(40, 50, 1000, 700));
    // Left on a second screen that is gone: brought onto one that exists.
    const QRect moved = cameBack({20000, 15000, 1000, 700});
    EXPECT_TRUE(QApplication::primaryScreen()->availableGeometry().intersects(moved))
        << moved.x() << "," << moved.y();
}

} // namespace
