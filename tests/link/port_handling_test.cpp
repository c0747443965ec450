#include "fakes/FakeDeviceList.h"
#include "fakes/OptionFixture.h"
#include "link/PortHandling.h"
#include "link/frmComProblem.h"
#include "settings/frmFileProblem.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <tuple>
#include <vector>

using namespace Qt::StringLiterals;

namespace {

const QString kUsb3 = u"USB Serial Port (COM3)"_s, kUsb5 = u"USB Serial Port (COM5)"_s;

// The options window with its port list, over the fake port and device list.
struct PortWindow : OptionFixture
{
    void list(const QStringList &names)
    {
        devices.names = names;
        options->GetSerialPortNames();
    }

    Settings settings;
    FakeDeviceList devices;
    frmComProblem problem;
    PortHandling handling{*options, settings, devices, problem};
};

} // namespace

TEST(PortHandling, listsUsbSerialPortsAndOpensTheSavedOne)
{
    const QStringList others
        = {u"Communications Port (COM1)"_s, u"USB COMM Device (COM7)"_s, u"USB BT Serial (COM4)"_s,
           u"USB Bluetooth link (COM8)"_s,  u"usb serial port (com9)"_s, kUsb5};
    const QStringList three = {kUsb3, u"USB Serial Port (COM12)"_s, u"USB Serial Port (COM1234)"_s};
    const QStringList both = {kUsb3, kUsb5}, adapter = {u"USB to COM adapter"_s, u"USB Serial Port (COMx)"_s};
    const QStringList old = {u"USB Serial COM35"_s, u"USB Serial COM12x"_s, u"USB Serial COM6)"_s};
    // Devices, saved port, failing ports -> listed, their numbers, selected entry, ports opened.
    const std::tuple<QStringList, int, std::vector<int>, QStringList, QList<int>, int, std::vector<int>>
        cases[] = {
            {others, 0, {}, {kUsb5}, {5}, 0, {5}}, // no USB, modems and Bluetooth left
                                                   // out
            {three, 1234, {}, three, {3, 12, 1234}, 2, {1234}}, // the saved port is chosen
            {both, 9, {}, both, {3, 5}, 0, {3}}, // the saved port is absent: the first
            {adapter, 0, {}, adapter, {0, 0}, 0, {}}, // no number in brackets: none opens
            {both, 5, {5}, both, {3, 5}, 0, {3}}, // a failing port falls back to the first
            {both, 3, {3}, both, {3, 5}, 0, {}}, // a failing first entry stays closed
            // No brackets: the 3 characters before the last, less O and M.
            {old, 12, {}, old, {3, 12, 6}, 1, {12}},
        };
    for (const auto &[devices, saved, failing, listedNames, itemNumbers, selected, opened] : cases) {
        SCOPED_TRACE(devices.join(u'|').toStdString());
        PortWindow window;
        window.settings.comPort = saved;
        window.port.failingPorts = failing;
        window.list(devices);

        const ComboBox &cmbCom = window.options->cmbCom;
        ASSERT_EQ(cmbCom.count(), listedNames.size());
        for (int i = 0; i < cmbCom.count(); ++i)
            EXPECT_TRUE(cmbCom.itemText(i) == listedNames[i] && cmbCom.itemData(i) == itemNumbers[i]) << i;
        EXPECT_EQ(cmbCom.currentIndex(), selected);
        EXPECT_EQ(window.port.openedPorts, opened);
        // The real port's settings are checked on a pseudo-terminal.
        EXPECT_TRUE(window.port.settings == u"4800,N,8,1" && window.port.dtr);
        EXPECT_EQ(window.options->timModtag.isEnabled(), !opened.empty());
        // A successful fall-back closes the window the failure opened.
        EXPECT_EQ(window.problem.isVisible(), opened.empty());
    }
}

// The open port stays open until the user chooses a port or the line is lost: choosing the open
// one again reopens it; a list that cannot be had or holds no USB port leaves it; a lost line stops
// reception until the user lists the ports again.
TEST(PortHandling, openPortStaysUntilChosenAgainOrTheLineIsLost)
{
    PortWindow w;
    w.list({kUsb3, kUsb5});
    w.options->cmbCom.userSelect(0);
    EXPECT_EQ(w.port.closeCount, 1);
    EXPECT_EQ(w.port.openedPorts, (std::vector<int>{3, 3}));
    w.devices.fail = true; // the system could not be asked: the list stays
    w.options->cmdComP.click();
    EXPECT_EQ(w.devices.queries, 2);
    EXPECT_EQ(w.options->cmbCom.count(), 2);
    w.devices.fail = false;
    w.list({u"USB BT Serial (COM4)"_s});
    EXPECT_EQ(w.options->cmbCom.count(), 0);
    EXPECT_TRUE(w.port.isOpen() && w.port.openCount == 2);

    w.port.loseLine();
    EXPECT_FALSE(w.options->timModtag.isEnabled());
    // The port's own error is shown (the description line is checked with the opening faults).
    EXPECT_EQ(w.problem.lblError1.caption() + u'|' + w.problem.lblError3.caption(),
              u"Error number = 8020|Error source = PC Vimo 2");
    EXPECT_TRUE(w.problem.isVisible());
    w.problem.OKButton.click();
    EXPECT_FALSE(w.problem.isVisible());
    w.devices.names = {kUsb3, kUsb5};
    w.options->cmdComP.click();
    EXPECT_TRUE(w.port.isOpen() && w.options->timModtag.isEnabled() && !w.problem.isVisible());

    w.port.failingPorts = {3, 5};
    w.options->cmbCom.userSelect(1); // neither opens now: reception stops
    EXPECT_FALSE(w.port.isOpen() || w.options->timModtag.isEnabled());
}

TEST(PortHandling, openingFaultsAUserCanMendNameTheFix)
{
    // Kind, the device's group -> the description shown, in the language file's words.
    const std::tuple<OpenError, const char *, const char *> cases[] = {
        {OpenError::Permission, "dialout", "COM5: join dialout"},
        {OpenError::Busy, "", "COM5 is busy"},
        {OpenError::NotFound, "", "COM5 is not there"},
        {OpenError::Other, "", "Invalid port number"},
    };
    for (const auto &[kind, group, shown] : cases) {
        PortWindow window;
        window.texts.set(96, QStringLiteral("%1: join %2"));
        window.texts.set(97, QStringLiteral("%1 is busy"));
        window.texts.set(99, QStringLiteral("%1 is not there"));
        window.port.openError->kind = kind;
        window.port.openError->deviceGroup = QString::fromLatin1(group);
        window.port.failingPorts = {5};
        window.list({kUsb5});
        EXPECT_EQ(window.problem.lblError2.caption(), u"Error description = "_s + QLatin1String(shown));
    }
}

// The windows the settings and the line use show each of their controls once, under the name the
// earlier program gave it, in the order Tab goes through them.
TEST(WindowControls, EachPlacedOnceUnderItsOwnName)
{
    PortWindow w;
    frmOption &o = *w.options;
    frmComProblem &p = w.problem;
    frmFileProblem file;
    const std::tuple<const Form *, const char *, std::vector<Form::ControlRef>> forms[] = {
        {&o,
         "lblStaff mshStaff lblMedicine mshMedicine mshStatus lblLan cmbLan lblTemp cmbTemp lblIntv1 "
         "txtIntv1 lblIntv2 txtIntv2 lblDur1 txtDur1 lblNoHand txtNoHand lblActivity cmbCom cmdComP "
         "lblVersion cmdSetup cmdGemLuk",
         {&o.lblStaff, &o.mshStaff, &o.lblMedicine, &o.mshMedicine, &o.mshStatus, &o.lblLan,
          &o.cmbLan,   &o.lblTemp,  &o.cmbTemp,     &o.lblIntv1,    &o.txtIntv1,  &o.lblIntv2,
          &o.txtIntv2, &o.lblDur1,  &o.txtDur1,     &o.lblNoHand,   &o.txtNoHand, &o.lblActivity,
          &o.cmbCom,   &o.cmdComP,  &o.lblVersion,  &o.cmdSetup,    &o.cmdGemLuk}},
        {&p,
         "Label1 lblError1 lblError2 lblError3 OKButton",
         {&p.Label1, &p.lblError1, &p.lblError2, &p.lblError3, &p.OKButton}},
        {&file, "txtFileProblem cmdOK", {&file.txtFileProblem, &file.cmdOK}},
    };
    for (const auto &[form, names, controls] : forms) {
        const QStringList named = QString::fromLatin1(names).split(u' ');
        EXPECT_TRUE(std::ranges::equal(form->placements(), named, {}, &Form::Placement::name)) << names;
        EXPECT_TRUE(std::ranges::equal(form->placements(), controls, {}, &Form::Placement::control)) << names;
    }
    EXPECT_TRUE(file.placements()[0].multiLine) << "the start-up trace (txtFileProblem) shows its lines";
}
