#include "link/PortHandling.h"

#include "link/frmComProblem.h"
#include "platform/DeviceList.h"
#include "platform/SerialPort.h"
#include "settings/NumberText.h"
#include "settings/Settings.h"
#include "settings/TextTable.h"
#include "settings/frmOption.h"

namespace {
const QString kLineSettings = QStringLiteral("4800,N,8,1");
} // namespace

PortHandling::PortHandling(frmOption &options, const Settings &settings, DeviceList &devices,
                           frmComProblem &problem)
    : m_options(options), m_settings(settings), m_devices(devices), m_problem(problem)
{
    connect(&m_options.cmbCom, &ComboBox::clicked, this, &PortHandling::cmbCom_Click);
    connect(&m_options, &frmOption::portListWanted, this, &PortHandling::GetSerialPortNames);
    connect(&m_options.MSComm1, &SerialPort::lineLost, this, &PortHandling::lineLost);
}

bool PortHandling::isListed(const QString &name)
{
    // Kept: only USB serial ports are listed and case matters ("COMM" keeps out modems and the
    // like, "BT" Bluetooth serial links), because the terminals hang on a USB adapter.
    return name.contains(u"COM") && !name.contains(u"BT") && !name.contains(u"Bluetooth")
        && !name.contains(u"COMM") && name.contains(u"USB");
}

int PortHandling::portNumberOf(const QString &name)
{
    // "... (COM1234)": the digits between "(COM" and the closing bracket, however many.
    const qsizetype open = name.lastIndexOf(u"(COM");
    if (open >= 0 && name.endsWith(u')'))
        return NumberText::wholeNumber16(QStringView(name).mid(open + 4).chopped(1).toString()).value_or(0);
    // Kept: other names are read from the three characters before the last one, "OM3)" leaving
    // "3", because saved port numbers were read this way.
    QString t = name.right(4);
    t.chop(1);
    if (t.contains(u'O') || t.contains(u'M')) {
        t.remove(u'M');
        t.remove(u'O');
    }
    return NumberText::wholeNumber16(t).value_or(0);
}

void PortHandling::GetSerialPortNames()
{
    const auto names = m_devices.deviceNames();
    if (!names)
        return;

    ComboBox &cmbCom = m_options.cmbCom;
    cmbCom.clear();
    for (const QString &name : *names)
        if (isListed(name))
            cmbCom.addItem(name, portNumberOf(name));
    if (cmbCom.count() == 0)
        return;

    int selection = 0;
    for (int i = 0; i < cmbCom.count(); ++i) {
        if (cmbCom.itemData(i) == m_settings.comPort) {
            selection = i;
            break;
        }
    }
    cmbCom.setCurrentIndex(selection); // runs the opening
}

void PortHandling::cmbCom_Click()
{
    Timer &timModtag = m_options.timModtag;
    SerialPort &MSComm1 = m_options.MSComm1;
    timModtag.setInterval(kReceiveIntervalMs); // it runs only while the port is open: see below
    if (MSComm1.isOpen())
        MSComm1.close();
    MSComm1.setPortNumber(m_options.cmbCom.itemData(m_options.cmbCom.currentIndex()));
    MSComm1.setSettings(kLineSettings);
    MSComm1.setDtr(true);
    if (const auto error = MSComm1.open()) {
        openingFailed(*error);
        return;
    }
    timModtag.setEnabled(true);
    if (m_problem.isVisible())
        m_problem.hide();
}

// The adapter was pulled out or the line's far end is gone: reception stops and the user is
// told; "Find ports" opens the port again once it is back.
void PortHandling::lineLost(const PortError &error)
{
    m_options.timModtag.setEnabled(false);
    m_problem.showProblem(error);
}

QString PortHandling::openingProblem(const PortError &error, int portNumber, const TextTable &texts)
{
    // The port's number only: with the fix the message must fit the window's two lines.
    const QString named = QStringLiteral("COM") + QString::number(portNumber);
    switch (error.kind) {
    case OpenError::Permission:
        // Serial devices belong to a group (dialout on Debian); its members may use them.
        return texts.text(Txt::PortNoPermission).arg(named, error.deviceGroup);
    case OpenError::Busy:
        return texts.text(Txt::PortInUse).arg(named);
    case OpenError::NotFound:
        return texts.text(Txt::PortNotFound).arg(named);
    case OpenError::None:
    case OpenError::Other:
        break;
    }
    return error.description;
}

void PortHandling::openingFailed(const PortError &error)
{
    m_options.timModtag.setEnabled(false);
    PortError told = error;
    told.description = openingProblem(error, m_options.MSComm1.portNumber(), m_options.texts());
    m_problem.showProblem(told);
    // Kept: back to the first entry, which is opened at once when that changes the selection,
    // because the line is then served by a present port while the user reads the message.
    m_options.cmbCom.setCurrentIndex(0);
}
