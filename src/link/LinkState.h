#pragma once

// Which terminal is being served and how many records it still holds; shared by the poll
// scheduler and the record intake.
struct LinkState
{
    int ServedTerminal = 0; // -1: none
    int RecordsOutstanding = 0; // 0: no terminal is being served
};
