#include "records/LitterSummary.h"

#include "settings/TextTable.h"

#include <cmath>

namespace {
const QString kNothing = QStringLiteral("\u2013");

// total / count in tenths, rounded half away from zero.
long long meanTenths(long long total, long long count)
{
    return std::llround(double(total) * 10.0 / double(count));
}
} // namespace

void LitterSummary::add(const LitterValues &v, bool flagged)
{
    ++m_litters;
    m_alive += v.alive.value_or(0);
    m_still += v.still.value_or(0);
    m_mumi += v.mumi.value_or(0);
    m_weak += v.weak.value_or(0);
    m_helped += v.birthHelp;
    if (v.temperatureTenths) {
        m_temperatureTenths += *v.temperatureTenths;
        ++m_temperatures;
    }
    m_flagged += flagged;
}

QString LitterSummary::line(const TextTable &texts, TemperatureUnit unit, QStringView decimalPoint) const
{
    auto perLitter = [&](long long total) {
        return m_litters == 0 ? kNothing
                              : Plausibility::tenthsText(meanTenths(total, m_litters), decimalPoint);
    };
    const QString helped
        = m_litters == 0 ? kNothing : QString::number(std::llround(100.0 * m_helped / m_litters));
    const QString temperature = m_temperatures == 0
        ? kNothing
        : Plausibility::tenthsText(std::llround(double(m_temperatureTenths) / m_temperatures), decimalPoint)
            + u' ' + Plausibility::unitText(unit);
    auto part = [&texts](Txt id, auto figure, const QString &second = {}) {
        return Plausibility::fillIn(texts.text(id), QStringLiteral("%1").arg(figure), second);
    };
    return QStringList{part(Txt::SummaryLitters, m_litters),
                       part(Txt::SummaryAlive, m_alive, perLitter(m_alive)),
                       part(Txt::SummaryStill, perLitter(m_still)),
                       part(Txt::SummaryMumi, m_mumi),
                       part(Txt::SummaryWeak, m_weak),
                       part(Txt::SummaryBirthHelp, helped),
                       part(Txt::SummaryTemperature, temperature),
                       part(Txt::SummaryFlagged, m_flagged)}
        .join(QStringLiteral(", "));
}
