#pragma once

#include "records/Plausibility.h"

#include <QString>
#include <QStringView>

class TextTable;

// The figures of the litters shown: counts, per-litter means, the share with birth help and
// the mean sow temperature, in one line of the chosen language.
class LitterSummary
{
public:
    void add(const LitterValues &values, bool flagged);
    int litters() const { return m_litters; }
    // Per-litter figures with one decimal; a dash where nothing is there to divide.
    QString line(const TextTable &texts, TemperatureUnit unit, QStringView decimalPoint) const;

private:
    int m_litters = 0;
    long long m_alive = 0;
    long long m_still = 0;
    long long m_mumi = 0;
    long long m_weak = 0;
    int m_helped = 0;
    long long m_temperatureTenths = 0;
    int m_temperatures = 0;
    int m_flagged = 0;
};
