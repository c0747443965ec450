#pragma once

#include <QObject>
#include <QString>

class DeviceList;
class frmComProblem;
class frmOption;
class TextTable;
struct PortError;
struct Settings;

// Lists the USB serial ports into the options window's port list, selecting the port of the
// settings in use, opens the chosen port for the terminals' line and runs the receive timer
// while it is open. A port that cannot be opened, or whose line is lost, is reported in the
// port-problem window and the list falls back to its first entry. It answers the options
// window's port list and the port's line-lost report from its construction on.
class PortHandling : public QObject
{
    Q_OBJECT
public:
    static constexpr int kReceiveIntervalMs = 300;

    PortHandling(frmOption &options, const Settings &settings, DeviceList &devices, frmComProblem &problem);

    // Rebuilds the port list from the present devices and selects the saved port.
    void GetSerialPortNames();
    // Opens the selected port (a selection by the user or by the program).
    void cmbCom_Click();

    // Whether a device name is listed, and the port number it carries (0 for none).
    static bool isListed(const QString &name);
    static int portNumberOf(const QString &name);

    // What the port-problem window says about a port that did not open: in the user's
    // language and with the fix for a missing right, a port in use or an adapter not there.
    static QString openingProblem(const PortError &error, int portNumber, const TextTable &texts);

    // The open port's line went away (an adapter pulled out): reception stops and the user is told.
    void lineLost(const PortError &error);

private:
    void openingFailed(const PortError &error);

    frmOption &m_options;
    const Settings &m_settings;
    DeviceList &m_devices;
    frmComProblem &m_problem;
};
