// Every caption, column heading, grid cell and list entry of every window, in each language the
// program ships, drawn with the font of its widget, must fit the control the layout gives it;
// captions and headings may not be empty, no control may overlap another or leave its window, and
// no window is much larger than its controls. With PCVIMO_SCREENSHOTS=<folder> the windows are
// also saved there as pictures.

#include "app/AppFixture.h"
#include "platform/qt/FormWindow.h"

#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QComboBox>
#include <QCoreApplication>
#include <QFile>
#include <QHeaderView>
#include <QLabel>
#include <QScrollBar>
#include <QStyle>
#include <QTableView>

#include <algorithm>
#include <span>

// Where a text drawn in `font` (with Qt::TextWordWrap in `flags`: wrapped at word boundaries) does
// not fit `room`; empty when it does.
static QString misfit(const QString &text, const QFont &font, QSize room, int flags = 0)
{
    const QSize needed = QFontMetrics(font).boundingRect(0, 0, room.width(), 10000, flags, text).size();
    if (text.isEmpty() || needed.boundedTo(room) != needed)
        return QString::asprintf("\"%s\" needs %dx%d px, has %dx%d", qUtf8Printable(text), needed.width(),
                                 needed.height(), room.width(), room.height());
    return {};
}

static QStringList misfits(const QWidget &window)
{
    QStringList found;
    const auto add = [&found](const QWidget *widget, const QString &problem) {
        // Only the controls the window places (they carry its names), not the parts Qt adds.
        if (!problem.isEmpty() && !widget->objectName().isEmpty())
            found << widget->objectName() + QStringLiteral(": ") + problem;
    };
    // Each control lies inside its window and clear of the others (a pixel of rounding aside).
    const QList<QWidget *> controls = window.findChildren<QWidget *>(Qt::FindDirectChildrenOnly);
    QRect used;
    for (const QWidget *control : controls) {
        used |= control->geometry();
        if (!window.rect().contains(control->geometry()))
            add(control, QStringLiteral("outside the window"));
        for (const QWidget *other : controls)
            if (other != control && control->geometry().adjusted(1, 1, -1, -1).intersects(other->geometry()))
                add(control, QStringLiteral("overlaps ") + other->objectName());
    }
    // No more room beside and below the controls than their own margin, doubled.
    const QSize spare(window.width() - used.right(), window.height() - used.bottom());
    if (spare.width() > 2 * used.left() + 8 || spare.height() > 2 * used.top() + 8)
        found << QString::asprintf("%s: room to spare beside or below: %dx%d",
                                   qUtf8Printable(window.objectName()), spare.width(), spare.height());
    for (const QLabel *label : window.findChildren<QLabel *>())
        add(label, misfit(label->text(), label->font(), label->contentsRect().size(), Qt::TextWordWrap));
    for (const QAbstractButton *button : window.findChildren<QAbstractButton *>()) {
        const int margin = button->style()->pixelMetric(QStyle::PM_ButtonMargin, nullptr, button);
        add(button, misfit(button->text(), button->font(), button->size() - QSize(2 * margin, 4)));
    }
    for (const QComboBox *combo : window.findChildren<QComboBox *>()) {
        const int arrow = combo->style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, combo);
        for (int i = 0; i < combo->count(); ++i)
            add(combo, misfit(combo->itemText(i), combo->font(), combo->size() - QSize(arrow + 8, 4)));
    }
    for (const QTableView *view : window.findChildren<QTableView *>()) {
        const QHeaderView *header = view->horizontalHeader();
        if (header->isHidden())
            continue;
        // Every column in sight, beside a vertical scroll bar once the rows fill the grid.
        const int inside = view->width() - 2 * view->frameWidth();
        const bool scrolls = view->verticalHeader()->length() > view->height() - header->height();
        if (header->length() + (scrolls ? view->verticalScrollBar()->sizeHint().width() : 0) > inside)
            add(view, QStringLiteral("columns wider than the grid"));
        const int margin = header->style()->pixelMetric(QStyle::PM_HeaderMargin, nullptr, header);
        const QAbstractItemModel &model = *view->model();
        for (int c = 0; c < header->count(); ++c) {
            const QString heading = model.headerData(c, Qt::Horizontal).toString();
            const QSize room(header->sectionSize(c) - 2 * margin, header->height() - 2);
            add(view,
                heading.isEmpty() && c == 0 ? QString()
                                            : misfit(heading, header->font(), room, Qt::TextWordWrap));
            if (model.headerData(c, Qt::Horizontal, Qt::ToolTipRole)
                != QString(heading).remove(QChar::SoftHyphen))
                add(view, heading + QStringLiteral(": not whole in its tooltip"));
            // The rows' cells in the view's font; a column of row numbers has no gaps.
            const bool numbered = c == 0 && !model.index(model.rowCount() - 1, 0).data().toString().isEmpty();
            const int width = view->columnWidth(c) - 6;
            for (int r = 0; r < model.rowCount(); ++r) {
                const QString text = model.index(r, c).data().toString();
                if (!view->isRowHidden(r) && (numbered || !text.isEmpty()))
                    add(view, misfit(text, view->font(), {width, view->rowHeight(r) - 2}));
            }
        }
    }
    return found;
}

using ShippedLanguage = testing::TestWithParam<const char *>;

TEST_P(ShippedLanguage, everyTextFitsItsControl)
{
    const QString language = QLatin1String(GetParam());
    AppFixture f;
    QFile shipped(QStringLiteral(PCVIMO_DATA_DIR "/ViMoText.txt"));
    ASSERT_TRUE(shipped.open(QIODevice::ReadOnly));
    f.folder.write(QStringLiteral("ViMoText.txt"), shipped.readAll());
    const QString setup = QStringLiteral("Setup/FarSetup-2024-03-01.txt");
    f.folder.write(setup, f.folder.read(setup).replace("DK", language.toLatin1()) + "Medicine 2\tIron\r\n");
    // A morning's records, more than the grid shows at once, among them entries that cannot be right.
    QByteArray log = "Date\tStaff\tSow\r\n"
                     "2024-03-07 06:10\t0\t1234\t12\t1\t0\t1\t0\t0\t0\t385\t6\t0\r\n"
                     "2024-03-07 07:25\t1\t1240\t9\t0\t1\t10\t1\t2\t15\t391\t3\t1\r\n"
                     "2024-03-07 08:02\t0\t1251\t0\t0\t0\t0\t0\t0\t0\t0\t0\t0\r\n"
                     "2024-03-07 08:47\t1\t1263\t27\t2\t0\t3\t0\t0\t0\t452\t14\t0\r\n";
    for (int i = 0; i < 30; ++i)
        log += QString::asprintf("2024-03-07 09:%02d\t%d\t%d\t%d\t1\t0\t1\t0\t0\t0\t%d\t5\t%d\r\n", i, i % 2,
                                 1300 + 7 * i, 8 + i % 7, 380 + i % 9, i % 2)
                   .toLatin1();
    f.folder.write(QStringLiteral("VimoLog/FAR-2024-03-07.txt"), log);
    f.port.failingPorts = {3}; // so that the port's problem window has its lines
    f.program.start();
    ASSERT_TRUE(f.dialogs.messages.empty()) << f.dialogs.messages.front().text.toStdString();
    // Two terminals passed over for what they send, named under the grid.
    f.program.terminals().ServedTerminal = 254;
    f.program.terminals().passOver(TerminalTable::PassedOver::Unusable);
    f.program.terminals().ServedTerminal = 253;
    f.program.terminals().passOver(TerminalTable::PassedOver::UnknownType);
    f.program.scheduler().tick();
    f.vimo.cmdChart.click(); // the chart of the morning's litters

    const QString screenshots = qEnvironmentVariable("PCVIMO_SCREENSHOTS");
    for (Form *form : std::initializer_list<Form *>{&f.vimo, &f.program.options(), &f.program.comProblem(),
                                                    &f.program.chart(), &f.program.traceWindow()}) {
        FormWindow window(*form);
        window.show(); // laid out as the user sees it, scroll bars and all
        QCoreApplication::processEvents();
        EXPECT_EQ(misfits(window).join(u'\n').toStdString(), "") << language.toStdString();
        EXPECT_FALSE(window.windowTitle().isEmpty()) << language.toStdString();
        if (form == &f.program.chart()) {
            const QImage shot = window.grab().toImage().convertToFormat(QImage::Format_RGB32);
            const std::span pixels(reinterpret_cast<const QRgb *>(shot.constBits()), shot.sizeInBytes() / 4);
            EXPECT_TRUE(std::ranges::count(pixels, qRgb(0x9D, 0xB9, 0xD9)) > 0) << "the chart is drawn";
        }
        if (!screenshots.isEmpty())
            window.grab().save(
                QStringLiteral("%1/%2-%3.png").arg(screenshots, form->placements()[0].name, language));
        // A window that may grow fits at the size of a large screen as well as at its smallest.
        if (form->isResizable()) {
            window.resize(1900, 1000);
            QCoreApplication::processEvents();
            EXPECT_EQ(misfits(window).join(u'\n').toStdString(), "") << language.toStdString() << " grown";
        }
    }
}

INSTANTIATE_TEST_SUITE_P(TextFit, ShippedLanguage, testing::Values("UK", "DK", "DE"));
