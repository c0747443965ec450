#pragma once

#include "platform/Button.h"
#include "platform/ComboBox.h"
#include "platform/DatePicker.h"
#include "platform/Form.h"
#include "platform/Grid.h"
#include "platform/Label.h"
#include "platform/Timer.h"

class TextTable;

// The main window: the record grid with its date range and sow filter, the line's status
// labels, the summary and the office's buttons. It holds its controls only; what they show
// and what their clicks do is the program's (see Program).
class frmVimo : public Form
{
    Q_OBJECT
public:
    static const QString kProgramTitle;

    frmVimo();

    // The window as start-up shows it: its width and its title with the version.
    void Load();
    void setCaptions(const TextTable &texts);
    // Closing the main window ends the program.
    bool userCloseRequest() override;

    Grid mshVimo{2, 14};
    Label lblSow;
    ComboBox cmbSow;
    Label lblStart;
    DatePicker dtpStart;
    Label lblSlut;
    DatePicker dtpSlut;
    Button cmdUpdate;
    Label lblBus;
    Label lblActivity;
    Button cmdOption;
    Label lblSummary;
    Button cmdExport;
    Button cmdPrint;
    Button cmdChart;
    Label lblTerminals; // terminals passed over for what they send
    Timer timSekund{1000, true};

Q_SIGNALS:
    void quitRequested();
};
