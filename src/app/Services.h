#pragma once

#include <functional>

class Clock;
class DeviceList;
class Dialogs;
class ReportPrinter;
class SerialPort;

// What the program needs of the system; main.cpp hands in the real ones, tests fakes.
struct Services
{
    Dialogs &dialogs;
    const Clock &clock;
    SerialPort &port;
    DeviceList &devices;
    // Ends the program (once the event that asked for it has been handled).
    std::function<void()> endProgram;
    // Prints the shown records; without one there is nothing to print with.
    ReportPrinter *printer = nullptr;
};
