#pragma once

#include "platform/Chart.h"
#include "platform/Form.h"

class LitterSeries;
class TextTable;

// The litters of the rows shown, as a chart: litters per day or week, born alive and stillborn
// per litter.
class frmChart : public Form
{
    Q_OBJECT
public:
    explicit frmChart(const TextTable &texts);

    // Shows the window, or brings it to the front, with the chart of `series` titled in the
    // language chosen now.
    void showSeries(const LitterSeries &series);
    // The chart of `series`, the window left where it is (an open chart following a reload).
    void setSeries(const LitterSeries &series);

    Chart chtLitters;

private:
    const TextTable &m_texts;
};
