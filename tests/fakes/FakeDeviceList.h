#pragma once

#include "platform/DeviceList.h"

// Device names from a script; can be told that the system could not be asked.
class FakeDeviceList final : public DeviceList
{
public:
    std::optional<QStringList> deviceNames() override
    {
        ++queries;
        return fail ? std::nullopt : std::optional(names);
    }

    QStringList names;
    bool fail = false;
    int queries = 0;
};
