#pragma once

#include "platform/Button.h"
#include "platform/ComboBox.h"
#include "platform/Form.h"
#include "platform/Grid.h"
#include "platform/Label.h"
#include "platform/TextBox.h"
#include "platform/Timer.h"
#include "settings/Settings.h"
#include "settings/TextTable.h"

class Clock;
class Dialogs;
class SerialPort;
struct ProgramFolders;
namespace SetupFile {
struct Contents;
}

// The options window. Its controls show the copy of the settings it edits; "Save and close"
// writes that copy as a new setup file and hands it back with `saved`.
class frmOption : public Form
{
    Q_OBJECT
public:
    frmOption(const ProgramFolders &folders, const TextTable &texts, Dialogs &dialogs, const Clock &clock,
              SerialPort &port);

    // The load handler: captions, grids, the temperature list and the initial port list.
    void Load();

    // Sets Lan to the "Language" entry of the setup file read at start-up.
    void HentSprog(const SetupFile::Contents &setup, QString &Lan);
    // Shows the settings read from the setup file in the controls, then lists the serial ports.
    void LoadFrmOption(const SetupFile::Contents &setup);
    // Fills the language list from the language file's header.
    void LoadCmbLan(const QString &CurrentLanguage);
    // Asks for the port list to be rebuilt (portListWanted); the serial-port handling does it.
    void GetSerialPortNames();

    bool userCloseRequest() override;

    // The settings as the controls show them.
    Settings edited() const;

    const TextTable &texts() const { return m_texts; }

    Label lblStaff;
    Grid mshStaff{21, 2};
    Label lblMedicine;
    Grid mshMedicine{11, 2};
    Grid mshStatus{1, 3};
    Label lblLan;
    ComboBox cmbLan;
    Label lblTemp;
    ComboBox cmbTemp;
    Label lblIntv1;
    TextBox txtIntv1{QStringLiteral("txtIntv1")};
    Label lblIntv2;
    TextBox txtIntv2{QStringLiteral("txtIntv2")};
    Label lblDur1;
    TextBox txtDur1{QStringLiteral("txtDur1")};
    Label lblNoHand;
    TextBox txtNoHand{QStringLiteral("txtNoHand")};
    Label lblActivity;
    ComboBox cmbCom;
    Label lblVersion; // the program's and Qt's versions, for support calls
    Button cmdComP;
    Button cmdSetup;
    Button cmdGemLuk;
    SerialPort &MSComm1;
    Timer timModtag{0, false};

Q_SIGNALS:
    // The settings just saved; what the controls showed when "Save and close" was clicked.
    void saved(const Settings &settings);
    // The port list is to be rebuilt from the present devices, with the saved port selected.
    void portListWanted();

private:
    void editName(Grid &grid, Txt prompt);
    void cmdGemLuk_Click();

    const ProgramFolders &m_folders;
    const TextTable &m_texts;
    Dialogs &m_dialogs;
    const Clock &m_clock;
};
