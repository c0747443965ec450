#pragma once

#include <QStringList>

#include <optional>

// Display names of the devices present, in the system's order; nothing when the
// system cannot be asked.
class DeviceList
{
public:
    virtual ~DeviceList() = default;
    virtual std::optional<QStringList> deviceNames() = 0;
};
