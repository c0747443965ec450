#include "platform/qt/ControlBindings.h"

#include "platform/Button.h"
#include "platform/Chart.h"
#include "platform/ComboBox.h"
#include "platform/DatePicker.h"
#include "platform/Grid.h"
#include "platform/Label.h"
#include "platform/TextBox.h"
#include "platform/TwipRect.h"
#include "platform/qt/ChartPainter.h"

#include <QColor>
#include <QComboBox>
#include <QDateTimeEdit>
#include <QHeaderView>
#include <QIdentityProxyModel>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QSignalBlocker>
#include <QTableView>

namespace {
// The grid gives a cell's back colour as a number; the view wants a colour.
class GridColours final : public QIdentityProxyModel
{
public:
    using QIdentityProxyModel::QIdentityProxyModel;
    QVariant data(const QModelIndex &index, int role) const override
    {
        QVariant value = QIdentityProxyModel::data(index, role);
        if (role == Qt::BackgroundRole && value.isValid())
            return QColor::fromRgb(QRgb(value.toUInt()));
        return value;
    }
    // A heading too long for its column is wrapped at a word or at a soft hyphen the language
    // file puts in; the tooltip shows it whole.
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override
    {
        if (role != Qt::ToolTipRole)
            return QIdentityProxyModel::headerData(section, orientation, role);
        return QIdentityProxyModel::headerData(section, orientation, Qt::DisplayRole)
            .toString()
            .remove(QChar::SoftHyphen);
    }
};

// Draws its chart anew whenever the chart changes.
class ChartView final : public QWidget
{
public:
    ChartView(const Chart &chart, QWidget *parent) : QWidget(parent), m_chart(chart) { }

protected:
    void paintEvent(QPaintEvent *) override
    {
        QPainter p(this);
        p.fillRect(rect(), palette().base());
        const int margin = fontMetrics().height() / 2;
        ChartPainter::paint(p, rect().adjusted(margin, margin, -margin, -margin), m_chart.data());
    }

private:
    const Chart &m_chart;
};
} // namespace

QWidget *bindControl(Label &label, QWidget *parent, bool)
{
    auto *widget = new QLabel(parent);
    widget->setWordWrap(true);
    widget->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    auto sync = [widget, &label] { widget->setText(label.caption()); };
    QObject::connect(&label, &Label::changed, widget, sync);
    sync();
    return widget;
}

QWidget *bindControl(Button &button, QWidget *parent, bool)
{
    auto *widget = new QPushButton(parent);
    auto sync = [widget, &button] {
        widget->setText(button.caption());
        widget->setEnabled(button.isEnabled());
        // After the text, which sets a shortcut of its own (its mnemonic).
        if (!button.shortcut().isEmpty()) {
            const QKeySequence keys(button.shortcut());
            widget->setShortcut(keys);
            widget->setToolTip(keys.toString(QKeySequence::NativeText));
        }
    };
    QObject::connect(&button, &Button::changed, widget, sync);
    QObject::connect(widget, &QPushButton::clicked, &button, &Button::click);
    sync();
    return widget;
}

QWidget *bindControl(TextBox &textBox, QWidget *parent, bool multiLine)
{
    if (multiLine) {
        auto *widget = new QPlainTextEdit(parent);
        widget->setReadOnly(true);
        auto sync = [widget, &textBox] { widget->setPlainText(textBox.text()); };
        QObject::connect(&textBox, &TextBox::changed, widget, sync);
        sync();
        return widget;
    }
    auto *widget = new QLineEdit(parent);
    auto sync = [widget, &textBox] {
        if (widget->text() != textBox.text())
            widget->setText(textBox.text());
    };
    QObject::connect(&textBox, &TextBox::changed, widget, sync);
    QObject::connect(widget, &QLineEdit::textEdited, &textBox,
                     [&textBox](const QString &text) { textBox.setText(text); });
    sync();
    return widget;
}

QWidget *bindControl(ComboBox &comboBox, QWidget *parent, bool)
{
    auto *widget = new QComboBox(parent);
    auto sync = [widget, &comboBox] {
        const QSignalBlocker blocker(widget);
        // Entries are mostly appended one at a time: keep the common beginning, redo the rest.
        int same = 0;
        while (same < widget->count() && same < comboBox.count()
               && widget->itemText(same) == comboBox.itemText(same))
            ++same;
        while (widget->count() > same)
            widget->removeItem(widget->count() - 1);
        for (int i = same; i < comboBox.count(); ++i)
            widget->addItem(comboBox.itemText(i));
        widget->setCurrentIndex(comboBox.currentIndex());
    };
    QObject::connect(&comboBox, &ComboBox::changed, widget, sync);
    QObject::connect(widget, &QComboBox::activated, &comboBox,
                     [&comboBox](int index) { comboBox.userSelect(index); });
    sync();
    return widget;
}

QWidget *bindControl(Grid &grid, QWidget *parent, bool)
{
    auto *view = new QTableView(parent);
    auto *colours = new GridColours(view);
    colours->setSourceModel(&grid);
    view->setModel(colours);
    view->verticalHeader()->hide();
    view->setEditTriggers(QAbstractItemView::NoEditTriggers);
    // Tab goes on to the next control; the arrow keys move between cells.
    view->setTabKeyNavigation(false);
    view->setSelectionMode(QAbstractItemView::SingleSelection);
    view->setWordWrap(true);
    view->horizontalHeader()->setHighlightSections(false);
    view->verticalHeader()->setMinimumSectionSize(1);
    // The column widths are the layout's; some styles (Windows's) would widen narrow ones.
    view->horizontalHeader()->setMinimumSectionSize(1);
    view->setHorizontalScrollMode(QAbstractItemView::ScrollPerPixel);
    // The column widths are fixed in twips; a slightly smaller font lets a date and time fit.
    QFont font = view->font();
    font.setPointSizeF(font.pointSizeF() * 0.9);
    view->setFont(font);
    // A grid of a width of its own keeps its columns in sight: once its rows fill it, the
    // vertical scroll bar goes beside the last column, not over it. In a window made wider it
    // may take the extra width too (kExtraWidth, set by the window).
    auto fitWidth = [view, &grid] {
        const QScrollBar *bar = view->verticalScrollBar();
        if (grid.width() <= 0)
            return;
        const int fitted = grid.width() / kTwipsPerPixel + 2 * view->frameWidth()
            + (bar->maximum() > 0 ? bar->sizeHint().width() : 0);
        view->setMinimumWidth(fitted);
        view->setMaximumWidth(fitted + view->property(kExtraWidth).toInt());
    };
    view->setProperty(kExtraWidth, 0);
    QObject::connect(view->verticalScrollBar(), &QScrollBar::rangeChanged, view, fitWidth);
    auto layout = [view, &grid, fitWidth] {
        fitWidth();
        // Fixed rows are drawn as the view's header, so they stay in sight while scrolling.
        view->horizontalHeader()->setVisible(grid.fixedRows() > 0);
        view->horizontalHeader()->setFixedHeight(grid.rowHeight(0) / kTwipsPerPixel);
        for (int c = 0; c < grid.cols(); ++c)
            view->setColumnWidth(c, grid.colWidth(c) / kTwipsPerPixel);
        // Setting it, even to the same size, goes over every row: a grid reset with a year's rows.
        const int rowHeight = grid.rowHeight(1) / kTwipsPerPixel + 4;
        if (view->verticalHeader()->defaultSectionSize() != rowHeight)
            view->verticalHeader()->setDefaultSectionSize(rowHeight);
        for (int r = 0; r < grid.rows() && r < 4; ++r)
            view->setRowHidden(r, r < grid.fixedRows());
    };
    QObject::connect(&grid, &Grid::layoutSettingsChanged, view, layout);
    QObject::connect(&grid, &Grid::modelReset, view, layout);
    QObject::connect(&grid, &Grid::rowsInserted, view, layout);
    QObject::connect(view, &QTableView::clicked, &grid,
                     [&grid](const QModelIndex &index) { grid.userActivate(index.row(), index.column()); });
    layout();
    return view;
}

namespace {
// Tab goes on to the next control, as from every other control; the arrow keys move between the
// day, month and year.
class DateTimeEdit : public QDateTimeEdit
{
public:
    using QDateTimeEdit::QDateTimeEdit;

protected:
    bool focusNextPrevChild(bool next) override { return QAbstractSpinBox::focusNextPrevChild(next); }
};
} // namespace

QWidget *bindControl(DatePicker &picker, QWidget *parent, bool)
{
    auto *widget = new DateTimeEdit(parent);
    widget->setCalendarPopup(true);
    widget->setDisplayFormat(QStringLiteral("dd-MM-yy"));
    auto sync = [widget, &picker] {
        const QSignalBlocker blocker(widget);
        widget->setDateTime(picker.value());
    };
    QObject::connect(&picker, &DatePicker::changed, widget, sync);
    QObject::connect(widget, &QDateTimeEdit::dateTimeChanged, &picker,
                     [&picker](const QDateTime &value) { picker.userSetValue(value); });
    sync();
    return widget;
}

QWidget *bindControl(Chart &chart, QWidget *parent, bool)
{
    auto *view = new ChartView(chart, parent);
    QObject::connect(&chart, &Chart::changed, view, qOverload<>(&QWidget::update));
    return view;
}
