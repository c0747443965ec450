#pragma once

// Which terminal is being served and how many records it still holds; shared by the poll
// scheduler and the record intake.
struct LinkState
{
    // Kept: starts at 0, not -1, because no terminal has address 0 and the first count request,
    // six ticks after start-up, sets it to -1.
    int ServedTerminal = 0; // -1: none
    int RecordsOutstanding = 0; // 0: no terminal is being served
};
