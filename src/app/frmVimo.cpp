#include "app/frmVimo.h"

#include "settings/TextTable.h"

#include "Version.h"

const QString frmVimo::kProgramTitle = QStringLiteral("PC Vimo 2");

frmVimo::frmVimo() : Form(kProgramTitle, 12405, 8400)
{
    place(QStringLiteral("mshVimo"), {120, 120, 12135, 6255}, &mshVimo);
    place(QStringLiteral("lblSow"), {120, 6600, 2295, 255}, &lblSow);
    place(QStringLiteral("cmbSow"), {120, 6960, 2295, 315}, &cmbSow);
    place(QStringLiteral("lblStart"), {2640, 6600, 1695, 375}, &lblStart);
    place(QStringLiteral("dtpStart"), {2760, 6960, 1335, 325}, &dtpStart);
    place(QStringLiteral("lblSlut"), {4560, 6600, 1575, 255}, &lblSlut);
    place(QStringLiteral("dtpSlut"), {4680, 6960, 1215, 325}, &dtpSlut);
    place(QStringLiteral("cmdUpdate"), {6240, 6840, 1215, 495}, &cmdUpdate);
    place(QStringLiteral("lblBus"), {6600, 6480, 615, 375}, &lblBus);
    place(QStringLiteral("lblActivity"), {8280, 6600, 2055, 735}, &lblActivity);
    place(QStringLiteral("cmdOption"), {10560, 6720, 1575, 615}, &cmdOption);
    // Below the controls of old, which keep their places.
    place(QStringLiteral("lblSummary"), {120, 7440, 13260, 255}, &lblSummary);
    place(QStringLiteral("cmdExport"), {120, 7800, 1575, 435}, &cmdExport);
    place(QStringLiteral("cmdPrint"), {1800, 7800, 1575, 435}, &cmdPrint);
    place(QStringLiteral("cmdChart"), {3480, 7800, 1575, 435}, &cmdChart);
    place(QStringLiteral("lblTerminals"), {5160, 7800, 8220, 435}, &lblTerminals);

    // On a larger screen the window may grow: the grid shows more rows and the controls below
    // it stay below it.
    setResizable(true);
    anchor(QStringLiteral("mshVimo"), Anchor::Fill);
    const TwipRect grid = placement(QStringLiteral("mshVimo"))->rect;
    for (const Placement &p : placements())
        if (p.rect.top >= grid.top + grid.height)
            anchor(p.name, Anchor::Bottom);
    anchor(QStringLiteral("lblSummary"), Anchor::BottomWide);
    anchor(QStringLiteral("lblTerminals"), Anchor::BottomWide);

    cmdUpdate.setShortcut(QStringLiteral("F5"));
    cmdExport.setShortcut(QStringLiteral("Ctrl+E"));
    cmdPrint.setShortcut(QStringLiteral("Ctrl+P"));
    cmdOption.setShortcut(QStringLiteral("Ctrl+O"));

    // Update is offered once the range or the sow was changed.
    cmdUpdate.setEnabled(false);
    auto enableUpdate = [this] { cmdUpdate.setEnabled(true); };
    connect(&cmbSow, &ComboBox::clicked, this, enableUpdate);
    connect(&dtpStart, &DatePicker::changedByUser, this, enableUpdate);
    connect(&dtpSlut, &DatePicker::changedByUser, this, enableUpdate);
}

void frmVimo::Load()
{
    setWidth(13500);
    setTitle(kProgramTitle + QStringLiteral(" Version ") + QStringLiteral(PCVIMO_VERSION));
}

void frmVimo::setCaptions(const TextTable &texts)
{
    lblSow.setCaption(texts.text(Txt::SowHeading));
    lblStart.setCaption(texts.text(Txt::StartHeading));
    lblSlut.setCaption(texts.text(Txt::EndHeading));
    lblBus.setCaption(texts.text(Txt::BusStart));
    lblActivity.setCaption(texts.text(Txt::ActivityStart));
    cmdOption.setCaption(texts.text(Txt::Options));
    cmdUpdate.setCaption(texts.text(Txt::Update));
    cmdExport.setCaption(texts.text(Txt::Export));
    cmdPrint.setCaption(texts.text(Txt::Print));
    cmdChart.setCaption(texts.text(Txt::Chart));
}

bool frmVimo::userCloseRequest()
{
    Q_EMIT quitRequested();
    return true;
}
