#pragma once

class Grid;
class TerminalTable;

// The options window's status grid as a picture of the terminal table: row i is terminal i, with
// its presence as the colour of "Pre." and its reported records under "Rec.".
void showTerminalStatus(const TerminalTable &terminals, Grid &mshStatus);
