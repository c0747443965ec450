#include "VanishSchedule.h"

#include <cmath>

VanishSchedule::VanishSchedule(QList<double> starts, QList<double> lengths, double every)
    : m_starts(std::move(starts)), m_lengths(std::move(lengths)), m_every(every)
{ }

double VanishSchedule::lengthFor(qsizetype index) const
{
    if (m_lengths.isEmpty())
        return kDefaultGap;
    return index >= 0 && index < m_lengths.size() ? m_lengths[index] : m_lengths.last();
}

std::optional<VanishSchedule::Gap> VanishSchedule::next(double seconds) const
{
    std::optional<Gap> best;
    for (qsizetype i = 0; i < m_starts.size(); ++i) {
        if (m_starts[i] >= seconds && (!best || m_starts[i] < best->start))
            best = Gap{m_starts[i], lengthFor(i)};
    }
    if (m_every > 0) {
        // The periodic gaps come at every, 2 x every, ...
        const double start = std::max(1.0, std::ceil(seconds / m_every)) * m_every;
        if (!best || start < best->start)
            best = Gap{start, lengthFor(-1)};
    }
    return best;
}
