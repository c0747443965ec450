#include "link/TerminalStatusGrid.h"

#include "link/TerminalTable.h"
#include "platform/Grid.h"

namespace {
constexpr int kPresenceColumn = 1;
constexpr int kCountColumn = 2;
constexpr Colour kAnswered{0, 255, 0};
constexpr Colour kUnreadable{255, 160, 0};
} // namespace

void showTerminalStatus(const TerminalTable &terminals, Grid &mshStatus)
{
    mshStatus.setRows(terminals.terminalCount() + 1);
    for (int address = 1; address <= terminals.terminalCount(); ++address) {
        const TerminalTable::Terminal &terminal = terminals.terminal(address);
        mshStatus.setText(address, 0, QString::number(address));
        mshStatus.setText(address, kCountColumn,
                          terminal.recordsReported ? QString::number(*terminal.recordsReported) : QString());
        switch (terminal.presence) {
        case TerminalTable::Presence::NotHeard:
            mshStatus.setBackColour(address, kPresenceColumn, std::nullopt);
            break;
        case TerminalTable::Presence::Answered:
            mshStatus.setBackColour(address, kPresenceColumn, kAnswered);
            break;
        case TerminalTable::Presence::Unreadable:
            mshStatus.setBackColour(address, kPresenceColumn, kUnreadable);
            break;
        }
    }
    if (terminals.lastAnswered() > 0)
        mshStatus.setCurrentCell(terminals.lastAnswered(), kPresenceColumn);
}
