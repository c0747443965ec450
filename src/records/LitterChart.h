#pragma once

#include "platform/ChartData.h"

class LitterSeries;
class TextTable;

namespace LitterChart {
// The series as the chart draws it: litters as bars, born alive and stillborn per litter as
// lines, titled in the current language; days labelled "dd-MM", weeks by their ISO number.
ChartData data(const LitterSeries &series, const TextTable &texts);
} // namespace LitterChart
