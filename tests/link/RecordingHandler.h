#pragma once

#include "link/PacketHandler.h"

#include <functional>
#include <optional>
#include <vector>

// Remembers every packet handed on; can run something while a packet is being handled.
class RecordingHandler final : public PacketHandler
{
public:
    struct Call
    {
        int object;
        int code;
        std::optional<int> data;
        RecordData mdata;
        int dataCnt;
    };

    void BehModData(int Object, int Code, std::optional<int> Data, const RecordData &MData,
                    int DataCnt) override
    {
        calls.push_back({Object, Code, Data, MData, DataCnt});
        if (during)
            during();
    }

    std::vector<Call> calls;
    std::function<void()> during;
};
