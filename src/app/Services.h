#pragma once

#include <functional>

class Clock;
class DeviceList;
class Dialogs;
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
};
