#include "records/RecordChecks.h"

#include "platform/Clock.h"
#include "platform/Grid.h"
#include "platform/Label.h"
#include "records/RecordView.h"
#include "settings/Settings.h"

#include <QLocale>

namespace {
constexpr Colour kFlagColour{0xFF, 0xB0, 0xB0};
}

RecordChecks::RecordChecks(Grid &mshVimo, Label &lblSummary, const RecordView &view, const Settings &settings,
                           const TextTable &texts, const Clock &clock)
    : m_grid(mshVimo), m_label(lblSummary), m_view(view), m_settings(settings), m_texts(texts), m_clock(clock)
{ }

TemperatureUnit RecordChecks::unit() const
{
    return m_settings.temperature == 1 ? TemperatureUnit::Fahrenheit : TemperatureUnit::Celsius;
}

void RecordChecks::recheck()
{
    m_summary = {};
    m_countedRows.clear();
    checkRowsFrom(m_grid.fixedRows(), true);
}

void RecordChecks::checkNewRows()
{
    if (m_grid.rows() < m_checkedRows)
        recheck();
    else if (m_grid.rows() > m_checkedRows)
        checkRowsFrom(std::max(m_checkedRows, m_grid.fixedRows()), false);
}

void RecordChecks::checkRowsFrom(int first, bool loaded)
{
    // A live record is stored in the file of the day it arrives, which is now: called just after.
    const QDate storedOn = m_clock.now().date();
    const int sowColumn = gridColumn(LogField::Sow);
    const TemperatureUnit unit = this->unit();
    const QString decimalPoint = QLocale().decimalPoint();
    const QString now = m_clock.now().toString(QStringLiteral("yyyy-MM-dd HH:mm"));
    const QString &yes = m_texts.text(Txt::Yes);
    for (int row = first; row < m_grid.rows(); ++row) {
        if (!Plausibility::isRecordRow(m_grid, row))
            continue;
        const LitterValues values = Plausibility::read(m_grid, row, yes);
        const std::vector<Flag> flags = Plausibility::check(values, unit, now);
        for (const Flag &flag : flags) {
            const int col = gridColumn(flag.field);
            m_grid.setBackColour(row, col, kFlagColour);
            m_grid.setToolTip(row, col, Plausibility::reasonText(flag, m_texts, unit, decimalPoint));
        }
        if (loaded || m_view.loaded().holds(storedOn, m_grid.textView(row, sowColumn))) {
            m_summary.add(values, !flags.empty());
            m_countedRows.push_back(row);
        }
    }
    m_checkedRows = m_grid.rows();
    m_summaryLine = m_summary.line(m_texts, unit, decimalPoint);
    m_label.setCaption(m_summaryLine);
}
