#include "records/frmChart.h"

#include "records/LitterChart.h"
#include "settings/TextTable.h"

frmChart::frmChart(const TextTable &texts) : Form(texts.text(Txt::ChartTitle), 12000, 7200), m_texts(texts)
{
    place(QStringLiteral("chtLitters"), {120, 120, 11760, 6960}, &chtLitters);
}

void frmChart::showSeries(const LitterSeries &series)
{
    setSeries(series);
    show();
}

void frmChart::setSeries(const LitterSeries &series)
{
    setTitle(m_texts.text(Txt::ChartTitle));
    chtLitters.setData(LitterChart::data(series, m_texts));
}
