#pragma once

#include "protocol/LogField.h"
#include "settings/TextTable.h"

#include <QDateTime>
#include <QString>
#include <QStringView>

#include <optional>
#include <utility>
#include <vector>

class Grid;

enum class TemperatureUnit { Celsius, Fahrenheit };

// The figures of one record row, read back from the cells the grid shows.
struct LitterValues
{
    QStringView when; // "yyyy-MM-dd HH:mm" as shown, in the grid's cell; empty when it has another form
    std::optional<int> alive, still, mumi, weak, female;
    bool birthHelp = false;
    std::optional<int> temperatureTenths; // none when no temperature was taken (empty or 0)
};

// A cell whose value cannot be right, and why.
struct Flag
{
    LogField field;
    Txt reason;
    friend bool operator==(const Flag &, const Flag &) = default;
};

// Rules that point at figures a terminal cannot have meant. They only mark cells; the
// stored record stays as it came.
namespace Plausibility {
// A row that holds a record: the grid keeps an empty row above the records, and an empty
// line of a log file shows as one too.
bool isRecordRow(const Grid &grid, int row);
// `yes` is the text a birth help cell shows for yes.
LitterValues read(const Grid &grid, int row, QStringView yes);
// `now` is "yyyy-MM-dd HH:mm": a record stamped later than this minute is in the future.
std::vector<Flag> check(const LitterValues &values, TemperatureUnit unit, QStringView now);
// The plausible sow temperatures, in tenths of a degree, both ends included.
std::pair<int, int> temperatureRange(TemperatureUnit unit);
// The text of the tooltip; numbers with `decimalPoint`.
QString reasonText(const Flag &flag, const TextTable &texts, TemperatureUnit unit, QStringView decimalPoint);
QString unitText(TemperatureUnit unit);
// The text with its %1 (and %2) filled in; a text without them (a farm's own language file,
// say) is followed by the figures instead.
QString fillIn(const QString &text, const QString &first, const QString &second = {});
// Tenths as "38.5" with the given decimal point.
QString tenthsText(long long tenths, QStringView decimalPoint);
} // namespace Plausibility
