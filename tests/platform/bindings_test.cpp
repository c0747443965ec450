#include "platform/Button.h"
#include "platform/ComboBox.h"
#include "platform/DatePicker.h"
#include "platform/Grid.h"
#include "platform/Label.h"
#include "platform/TextBox.h"
#include "platform/Timer.h"
#include "platform/qt/FormWindow.h"
#include "platform/qt/TimerBinding.h"

#include <QSignalSpy>
#include <QtWidgets>

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

// One control of each kind in a window of 400 x 200 pixels.
struct SmallForm : Form
{
    SmallForm() : Form(u"Small"_s, 6000, 3000)
    {
        place(u"label"_s, {150, 150, 1500, 300}, &label);
        place(u"button"_s, {}, &button);
        place(u"text"_s, {}, &text);
        place(u"trace"_s, {}, &trace, true);
        place(u"combo"_s, {}, &combo);
        place(u"grid"_s, {0, 0, 3000, 600}, &grid);
        place(u"date"_s, {}, &date);
        date.setValue(QDateTime(QDate(2024, 3, 6), QTime(8, 0)));
        label.setCaption(u"Bound"_s);
        button.setCaption(u"Go"_s);
        text.setText(u"04:00"_s);
        trace.setText(u"Begun "_s);
        combo.addItem(u"none"_s);
        window.emplace(*this);
    }
    template<typename W> W *widget(const char *name) { return window->findChild<W *>(QLatin1String(name)); }

    Label label;
    Button button;
    TextBox text, trace;
    ComboBox combo;
    Grid grid{3, 3};
    DatePicker date;
    std::optional<FormWindow> window;
};

TEST(FormWindowBindings, ModelsAndWidgetsFollowEachOther)
{
    SmallForm f;
    EXPECT_EQ(f.window->size(), QSize(400, 200));
    EXPECT_EQ(f.widget<QLabel>("label")->geometry(), QRect(10, 10, 100, 20));
    EXPECT_TRUE(f.widget<QLabel>("label")->wordWrap()) << "a long caption goes on in the next line";
    EXPECT_EQ(f.widget<QLabel>("label")->text() + f.widget<QPushButton>("button")->text()
                  + f.widget<QLineEdit>("text")->text() + f.widget<QPlainTextEdit>("trace")->toPlainText(),
              u"BoundGo04:00Begun ")
        << "as bound";
    f.show();
    f.setTitle(u"Renamed"_s);
    EXPECT_TRUE(f.window->isVisible() && f.window->windowTitle() == u"Renamed");
    f.label.setCaption(u"Line"_s);
    f.trace.append(u"Started"_s);
    EXPECT_EQ(f.widget<QLabel>("label")->text() + f.widget<QPlainTextEdit>("trace")->toPlainText(),
              u"LineBegun Started");

    QSignalSpy clicks(&f.button, &Button::clicked);
    f.widget<QPushButton>("button")->click();
    f.button.setEnabled(false);
    EXPECT_TRUE(clicks.count() == 1 && !f.widget<QPushButton>("button")->isEnabled());
    f.widget<QLineEdit>("text")->selectAll();
    f.widget<QLineEdit>("text")->insert(u"05:00"_s);
    EXPECT_EQ(f.text.text(), u"05:00");
    f.text.setText(u"06:00"_s);
    EXPECT_EQ(f.widget<QLineEdit>("text")->text() + f.widget<QComboBox>("combo")->itemText(0), u"06:00none")
        << "and an entry made before the window";
    f.combo.addItem(u"COM3"_s, 3);
    QSignalSpy selections(&f.combo, &ComboBox::clicked);
    Q_EMIT f.widget<QComboBox>("combo")->activated(1);
    Q_EMIT f.widget<QComboBox>("combo")->activated(1); // choosing the same entry again still counts
    EXPECT_EQ(f.combo.currentIndex(), 1);
    EXPECT_EQ(selections.count(), 2);
    f.combo.clear();
    f.combo.addItem(u"COM5"_s, 5);
    f.combo.addItems({u"COM6"_s}); // kept entries stay, the new one follows
    f.combo.setCurrentIndex(2);
    f.combo.setCurrentIndex(-2);
    EXPECT_EQ(f.combo.currentIndex(), -1) << "a cleared list has no entry chosen, nor one that is not there";
    f.combo.setCurrentIndex(1);
    f.combo.userSelect(2);
    EXPECT_EQ(f.combo.currentIndex(), 1) << "no such entry to pick";
    EXPECT_EQ(f.widget<QComboBox>("combo")->itemText(0) + f.widget<QComboBox>("combo")->currentText(),
              u"COM5COM6");
    EXPECT_EQ(f.combo.itemData(1), 0) << "entries added as texts carry 0";
    EXPECT_EQ(f.combo.itemText(2) + f.combo.itemText(-1), u"") << "no such entries";

    f.grid.setText(0, 1, u"Head"_s);
    f.grid.setRowHeight(0, 600);
    auto *view = f.widget<QTableView>("grid");
    EXPECT_TRUE(view->isRowHidden(0) && !view->horizontalHeader()->isHidden())
        << "the fixed row is the header";
    EXPECT_TRUE(!view->isRowHidden(1) && view->wordWrap()) << "a long text goes on in its cell's next line";
    EXPECT_EQ(view->width(), 200) << "a grid without a width of its own keeps its place's";
    f.grid.setFixedRows(0);
    EXPECT_TRUE(view->horizontalHeader()->isHidden()) << "no fixed row, no header";
    f.grid.setFixedRows(1);
    f.grid.setColWidth(2, 900);
    EXPECT_EQ(view->columnWidth(2), 60);
    {
        Grid::Batch batch(f.grid); // a reset: the view lays its columns out anew
        f.grid.setRows(4);
        f.grid.setCols(5);
        f.grid.setColWidth(4, 1500);
    }
    EXPECT_EQ(view->columnWidth(2) + view->columnWidth(4), 160) << "after a reset";
    f.grid.setRows(0);
    f.grid.setRows(2);
    f.grid.setText(0, 1, u"Head"_s);
    EXPECT_TRUE(view->isRowHidden(0) && !view->isRowHidden(1)) << "a header row added again is the header";
    f.grid.setRows(6); // rows announced one change at a time
    f.grid.setCols(4); // announced as a reset
    EXPECT_EQ(std::pair(view->verticalHeader()->count(), view->horizontalHeader()->count()), std::pair(6, 4));
    EXPECT_EQ(view->model()->headerData(1, Qt::Horizontal).toString(), u"Head");
    EXPECT_EQ(view->horizontalHeader()->height(), 40);
    QSignalSpy restyled(view->model(), &QAbstractItemModel::dataChanged);
    f.grid.setBackColour(1, 1, Colour{0, 255, 0});
    f.grid.setToolTip(1, 1, u"why"_s);
    EXPECT_EQ(restyled.count(), 2) << "a cell's new colour and tooltip are shown at once";
    const auto data
        = [view](int col, int role) { return view->model()->data(view->model()->index(1, col), role); };
    EXPECT_EQ(data(1, Qt::BackgroundRole).value<QColor>(), QColor(0, 255, 0));
    EXPECT_EQ(data(1, Qt::ToolTipRole).toString(), u"why");
    EXPECT_FALSE(data(2, Qt::BackgroundRole).isValid() || data(2, Qt::ToolTipRole).isValid());
    const std::pair<const char *, bool> looks[] = {
        {"a grid's cells are not edited", view->editTriggers() == QAbstractItemView::NoEditTriggers},
        {"one cell chosen at a time", view->selectionMode() == QAbstractItemView::SingleSelection},
        {"tab goes on to the next control", !view->tabKeyNavigation()},
        {"the heading of the chosen column stays as it is", !view->horizontalHeader()->highlightSections()},
        {"rows and columns as narrow as the layout says, whatever the style",
         view->verticalHeader()->minimumSectionSize() == 1
             && view->horizontalHeader()->minimumSectionSize() == 1},
        {"wide grids scroll by the pixel", view->horizontalScrollMode() == QAbstractItemView::ScrollPerPixel},
        {"a caption from its top left",
         f.widget<QLabel>("label")->alignment() == (Qt::AlignLeft | Qt::AlignTop)},
        {"the trace is only read", f.widget<QPlainTextEdit>("trace")->isReadOnly()}};
    for (const auto &[look, holds] : looks)
        EXPECT_TRUE(holds) << look;
    f.hide();
    EXPECT_FALSE(f.window->isVisible());
    f.show();
    EXPECT_TRUE(f.userCloseRequest() && !f.window->isVisible()) << "closed by the user";

    // Only the user's changes to a date are reported as such; the time of day stays.
    EXPECT_EQ(f.widget<QDateTimeEdit>("date")->text(), u"06-03-24") << "the date as bound";
    QSignalSpy byUser(&f.date, &DatePicker::changedByUser);
    f.date.setValue(QDateTime(QDate(2024, 3, 7), QTime(23, 59, 59)));
    EXPECT_EQ(f.widget<QDateTimeEdit>("date")->text(), u"07-03-24");
    f.widget<QDateTimeEdit>("date")->setDate(QDate(2024, 2, 29));
    EXPECT_TRUE(byUser.count() == 1 && f.date.value() == QDateTime(QDate(2024, 2, 29), QTime(23, 59, 59)));

    Timer timer(1000, true);
    bindTimer(timer, f.window->window());
    const auto *qtimer = f.window->findChild<QTimer *>();
    // A running timer takes a new interval at once; an interval of 0 stops it.
    for (const int interval : {1, 0, 50}) {
        timer.setInterval(interval);
        EXPECT_EQ(qtimer->isActive() ? qtimer->interval() : -1, interval > 0 ? interval : -1);
    }
    timer.setEnabled(false);
    EXPECT_FALSE(qtimer->isActive());
}
