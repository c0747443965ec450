#pragma once

#include <QList>

#include <optional>

// When the line goes away and for how long: at given moments of the run, and/or every so many
// seconds. Seconds count from the start of the run.
class VanishSchedule
{
public:
    static constexpr double kDefaultGap = 5;

    struct Gap
    {
        double start = 0;
        double length = 0;
    };

    VanishSchedule() = default;
    // `lengths[i]` belongs to `starts[i]`; the last length (or the default) serves the starts
    // without one and the periodic gaps.
    VanishSchedule(QList<double> starts, QList<double> lengths, double every);

    bool empty() const { return m_starts.isEmpty() && m_every <= 0; }
    // The first gap that starts at `seconds` or later.
    std::optional<Gap> next(double seconds) const;

private:
    double lengthFor(qsizetype index) const;

    QList<double> m_starts;
    QList<double> m_lengths;
    double m_every = 0;
};
