#pragma once

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
};
