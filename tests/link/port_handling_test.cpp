#include "fakes/FakeDeviceList.h"
#include "fakes/FakeDialogs.h"
#include "fakes/FakeSerialPort.h"
#include "fakes/FixedClock.h"
#include "fakes/TempFolder.h"
#include "link/PortHandling.h"
#include "link/frmComProblem.h"
#include "settings/ProgramFolders.h"
#include "settings/TextTable.h"
#include "settings/frmOption.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

const QString kUsb3 = QStringLiteral("USB Serial Port (COM3)");
const QString kUsb5 = QStringLiteral("USB Serial Port (COM5)");

class PortHandlingTest : public ::testing::Test
{
protected:
    PortHandlingTest()
    {
        folders.ProgramFolder = folder.path();
        options.Load();
    }

    QStringList entries() const
    {
        QStringList texts;
        for (int i = 0; i < options.cmbCom.count(); ++i)
            texts << options.cmbCom.itemText(i);
        return texts;
    }
    std::vector<int> itemNumbers() const
    {
        std::vector<int> numbers;
        for (int i = 0; i < options.cmbCom.count(); ++i)
            numbers.push_back(options.cmbCom.itemData(i));
        return numbers;
    }
    QStringList problemLines() const
    {
        return {problem.lblError1.caption(), problem.lblError2.caption(), problem.lblError3.caption()};
    }
    void list(const QStringList &names)
    {
        devices.names = names;
        options.GetSerialPortNames();
    }

    TempFolder folder;
    ProgramFolders folders;
    TextTable texts;
    FakeDialogs dialogs;
    FixedClock clock;
    FakeSerialPort port;
    frmOption options{folders, texts, dialogs, clock, port};
    FakeDeviceList devices;
    frmComProblem problem;
    PortHandling handling{options, devices, problem};
};

} // namespace

TEST_F(PortHandlingTest, listsUsbSerialPortsAndOpensTheSavedOne)
{
    struct Case
    {
        const char *name;
        QStringList devices;
        int saved;
        QStringList listed;
        std::vector<int> numbers;
        int selected;
        std::vector<int> opened;
    };
    const QString bt4 = QStringLiteral("USB BT Serial (COM4)");
    const std::vector<Case> cases = {
        {"Bluetooth left out", {kUsb3, bt4}, 0, {kUsb3}, {3}, 0, {3}},
        {"no USB in the name",
         {QStringLiteral("Communications Port (COM1)"), kUsb3},
         0,
         {kUsb3},
         {3},
         0,
         {3}},
        {"modem and Bluetooth names left out",
         {QStringLiteral("USB COMM Device (COM7)"), QStringLiteral("USB Bluetooth link (COM8)"),
          QStringLiteral("usb serial port (com9)"), kUsb5},
         5,
         {kUsb5},
         {5},
         0,
         {5}},
        {"saved port 5 is chosen", {kUsb3, kUsb5}, 5, {kUsb3, kUsb5}, {3, 5}, 1, {5}},
        {"saved port 9 is absent: the first", {kUsb3, kUsb5}, 9, {kUsb3, kUsb5}, {3, 5}, 0, {3}},
        {"two- and three-digit numbers",
         {QStringLiteral("USB Serial Port (COM12)"), QStringLiteral("USB Serial Port (COM123)")},
         123,
         {QStringLiteral("USB Serial Port (COM12)"), QStringLiteral("USB Serial Port (COM123)")},
         {12, 123},
         1,
         {123}},
        {"no number in brackets: item number 0",
         {QStringLiteral("USB to COM adapter")},
         0,
         {QStringLiteral("USB to COM adapter")},
         {0},
         0,
         {}},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        FakeSerialPort linePort;
        frmOption window(folders, texts, dialogs, clock, linePort);
        window.Load();
        FakeDeviceList deviceList;
        frmComProblem problemWindow;
        PortHandling handler(window, deviceList, problemWindow);
        deviceList.names = c.devices;
        window.SavedComPort = c.saved;

        window.GetSerialPortNames();

        QStringList listed;
        std::vector<int> numbers;
        for (int i = 0; i < window.cmbCom.count(); ++i) {
            listed << window.cmbCom.itemText(i);
            numbers.push_back(window.cmbCom.itemData(i));
        }
        EXPECT_EQ(listed, c.listed);
        EXPECT_EQ(numbers, c.numbers);
        EXPECT_EQ(window.cmbCom.currentIndex(), c.selected);
        EXPECT_EQ(linePort.openedPorts, c.opened);
        EXPECT_EQ(linePort.isOpen(), !c.opened.empty());
        EXPECT_EQ(window.timModtag.isEnabled(), !c.opened.empty());
        EXPECT_EQ(problemWindow.isVisible(), c.opened.empty());
    }
}

TEST_F(PortHandlingTest, openingSetsTheLineAndStartsTheReceiveTimer)
{
    EXPECT_FALSE(options.timModtag.isEnabled());
    list({kUsb3});

    EXPECT_EQ(port.portNumber(), 3);
    EXPECT_EQ(port.settings, u"4800,N,8,1");
    EXPECT_TRUE(port.dtr);
    EXPECT_TRUE(port.isOpen());
    EXPECT_EQ(options.timModtag.interval(), 300);
    EXPECT_TRUE(options.timModtag.isEnabled());
    EXPECT_FALSE(problem.isVisible());
}

TEST_F(PortHandlingTest, portWithoutNumberShowsTheProblemWindow)
{
    list({QStringLiteral("USB to COM adapter")});

    EXPECT_TRUE(problem.isVisible());
    EXPECT_EQ(problem.title(), u"Problem with the port");
    EXPECT_EQ(problem.Label1.caption(),
              u"There seems to be a problem with your PC. Further information may be found below");
    EXPECT_EQ(problemLines(),
              (QStringList{QStringLiteral("Error number = 8002"),
                           QStringLiteral("Error description = Invalid port number"),
                           QStringLiteral("Error source = PC Vimo 2")}));
    EXPECT_EQ(problem.OKButton.caption(), u"OK");
    EXPECT_EQ(options.timModtag.interval(), 300);
    EXPECT_FALSE(options.timModtag.isEnabled());
    EXPECT_FALSE(port.isOpen());

    problem.OKButton.click();
    EXPECT_FALSE(problem.isVisible());
}

TEST_F(PortHandlingTest, emptyListKeepsThePortAsItWas)
{
    list({kUsb3});
    ASSERT_TRUE(port.isOpen());

    list({QStringLiteral("USB BT Serial (COM4)")});
    EXPECT_EQ(options.cmbCom.count(), 0);
    EXPECT_EQ(options.cmbCom.currentIndex(), -1);
    EXPECT_TRUE(port.isOpen());
    EXPECT_EQ(port.openCount, 1);
    EXPECT_EQ(port.closeCount, 0);
    EXPECT_TRUE(options.timModtag.isEnabled());
}

TEST_F(PortHandlingTest, failingDeviceListLeavesThePortListAlone)
{
    const QStringList before = entries();
    devices.fail = true;
    options.cmdComP.click();

    EXPECT_EQ(devices.queries, 1);
    EXPECT_EQ(entries(), before);
    EXPECT_EQ(options.cmbCom.currentIndex(), -1);
    EXPECT_EQ(port.openCount, 0);
}

TEST_F(PortHandlingTest, choosingTheOpenPortAgainClosesAndReopensIt)
{
    list({kUsb3, kUsb5});
    options.cmbCom.userSelect(0);

    EXPECT_EQ(port.closeCount, 1);
    EXPECT_EQ(port.openedPorts, (std::vector<int>{3, 3}));
    EXPECT_TRUE(port.isOpen());
}

TEST_F(PortHandlingTest, initialEntriesAllFail)
{
    ASSERT_EQ(options.cmbCom.count(), 21);
    options.cmbCom.userSelect(5); // "COM5", item number 0

    EXPECT_EQ(port.openCount, 2); // COM5, then the fall-back to "none"
    EXPECT_EQ(options.cmbCom.currentIndex(), 0);
    EXPECT_TRUE(problem.isVisible());
    EXPECT_EQ(problem.lblError1.caption(), u"Error number = 8002");
    EXPECT_FALSE(port.isOpen());
    EXPECT_FALSE(options.timModtag.isEnabled());

    // Failing on the first entry tries nothing more.
    options.cmbCom.userSelect(0);
    EXPECT_EQ(port.openCount, 3);
}

TEST_F(PortHandlingTest, problemLinesStayWhileTheWindowIsOpen)
{
    port.openError = PortError{8010, QStringLiteral("The port is busy"), QStringLiteral("PC Vimo 2")};
    options.cmbCom.userSelect(1);
    port.openError = PortError{8002, QStringLiteral("Invalid port number"), QStringLiteral("PC Vimo 2")};
    options.cmbCom.userSelect(2);
    EXPECT_EQ(problem.lblError1.caption(), u"Error number = 8010");
    EXPECT_EQ(problem.lblError2.caption(), u"Error description = The port is busy");

    problem.OKButton.click();
    options.cmbCom.userSelect(3);
    EXPECT_EQ(problem.lblError1.caption(), u"Error number = 8002");
    EXPECT_EQ(problem.lblError2.caption(), u"Error description = Invalid port number");
}

TEST_F(PortHandlingTest, failingPortFallsBackToTheFirstEntry)
{
    options.SavedComPort = 3;
    list({kUsb3, kUsb5});
    port.failingPorts = {5};

    options.cmbCom.userSelect(1);

    EXPECT_EQ(options.cmbCom.currentIndex(), 0);
    EXPECT_EQ(port.openedPorts, (std::vector<int>{3, 3}));
    EXPECT_TRUE(port.isOpen());
    EXPECT_EQ(port.portNumber(), 3);
    EXPECT_TRUE(options.timModtag.isEnabled());
    // The successful fall-back closes the window the failure opened.
    EXPECT_FALSE(problem.isVisible());
}

TEST_F(PortHandlingTest, failingFirstEntryStaysClosed)
{
    options.SavedComPort = 5;
    list({kUsb3, kUsb5});
    port.failingPorts = {3};

    options.cmbCom.userSelect(0);

    EXPECT_EQ(port.openCount, 2);
    EXPECT_FALSE(port.isOpen());
    EXPECT_FALSE(options.timModtag.isEnabled());
    EXPECT_TRUE(problem.isVisible());

    // Choosing a port that opens closes the problem window.
    options.cmbCom.userSelect(1);
    EXPECT_TRUE(port.isOpen());
    EXPECT_TRUE(options.timModtag.isEnabled());
    EXPECT_FALSE(problem.isVisible());
}

TEST_F(PortHandlingTest, lostLineStopsReceptionUntilTheUserListsThePortsAgain)
{
    list({kUsb3});
    ASSERT_TRUE(port.isOpen());

    port.loseLine();
    EXPECT_FALSE(options.timModtag.isEnabled());
    EXPECT_TRUE(problem.isVisible());
    EXPECT_EQ(problemLines(),
              (QStringList{QStringLiteral("Error number = 8020"),
                           QStringLiteral("Error description = The line to the hand terminals was lost"),
                           QStringLiteral("Error source = PC Vimo 2")}));

    options.cmdComP.click();
    EXPECT_TRUE(port.isOpen());
    EXPECT_TRUE(options.timModtag.isEnabled());
    EXPECT_FALSE(problem.isVisible());
}
