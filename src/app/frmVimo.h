#pragma once

#include "app/Services.h"
#include "platform/Button.h"
#include "platform/ComboBox.h"
#include "platform/DatePicker.h"
#include "platform/Form.h"
#include "platform/Grid.h"
#include "platform/Label.h"
#include "platform/Timer.h"
#include "settings/ProgramFolders.h"
#include "settings/TextTable.h"
#include "settings/frmFileProblem.h"
#include "settings/frmOption.h"

// The main window: the record grid with its date range and sow filter, the link's status
// lines, and the start-up of the whole program.
class frmVimo : public Form
{
    Q_OBJECT
public:
    frmVimo(const Services &services, const QString &workingDirectory, const QString &executableFolder);
    ~frmVimo() override;

    // The start-up sequence; runs once when the program starts.
    void Load();
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
    Timer timSekund{1000, true};

    frmOption &options() { return m_frmOption; }
    frmFileProblem &traceWindow() { return m_frmFileProblem; }
    const ProgramFolders &folders() const { return m_folders; }
    const QString &currentLanguage() const { return m_CurrentLanguage; }

private:
    void setCaptions();

    Services m_services;
    QString m_workingDirectory;
    QString m_executableFolder;
    ProgramFolders m_folders;
    TextTable m_texts;
    QString m_CurrentLanguage;
    frmFileProblem m_frmFileProblem;
    frmOption m_frmOption;
};
