#include "PcLine.h"

#include <gtest/gtest.h>

#include <QJsonArray>
#include <QJsonObject>
#include <QStringList>

namespace {
std::vector<std::uint8_t> nameItem(int entry, const QByteArray &name)
{
    const QByteArray item = char(entry) + name.leftJustified(20, ' ', true);
    return {item.begin(), item.end()};
}
} // namespace

// A packet the PC sends to all in, what the terminals keep of it out (as the state file gives
// it; they answer none). Items they cannot place are counted, not kept; packets to one terminal
// or of other commands are no broadcast items.
TEST(BroadcastState, packetInItemKept)
{
    const std::vector<std::pair<QByteArray, const char *>> cases = {
        {fc(255, 30, {24, 3, 7, 9, 5}), "clock=2024-03-07 09:05 itemsReceived=1 malformed=0"},
        {fc(255, 40, nameItem(19, "Anna")), "itemsReceived=1 malformed=0 staff[19]=Anna                "},
        {fc(255, 42, nameItem(3, "Penicillin \xE6\xF8\xE5")),
         "itemsReceived=1 malformed=0 medicine[3]=Penicillin æøå      "},
        {fa(255, 53, 255), "interval1=255 itemsReceived=1 malformed=0"},
        {fa(255, 54, 300), "duration1=300 itemsReceived=1 malformed=0"},
        {fa(255, 51, -1), "itemsReceived=1 malformed=0 temperatureChoice=255"}, // none chosen
        {fc(255, 40, nameItem(20, "X")), "itemsReceived=0 malformed=1"},
        {fc(255, 42, nameItem(10, "X")), "itemsReceived=0 malformed=1"},
        {fc(255, 30, {24, 3, 7, 9}), "itemsReceived=0 malformed=1"},
        {fc(255, 40, {1, 65, 66}), "itemsReceived=0 malformed=1"},
        {fc(1, 30, {24, 3, 7, 9, 5}), "itemsReceived=0 malformed=0"},
        {fa(1, 53, 60), "itemsReceived=0 malformed=0"},
        {recordRequest(255), "itemsReceived=0 malformed=0"},
    };
    for (const auto &[packet, expected] : cases) {
        SCOPED_TRACE(expected);
        TerminalBank bank(std::vector<std::vector<TerminalRecord>>(1));
        EXPECT_TRUE(deliver(bank, packet).answers.empty());
        QStringList kept;
        const QJsonObject json = bank.broadcasts().toJson();
        for (auto it = json.begin(); it != json.end(); ++it) {
            const QJsonArray list = it->toArray();
            for (qsizetype i = 0; i < list.size(); ++i) {
                if (!list[i].isNull())
                    kept << QStringLiteral("%1[%2]=%3").arg(it.key()).arg(i).arg(list[i].toString());
            }
            if (!it->isArray() && !it->isNull())
                kept << it.key() + u'=' + it->toVariant().toString();
        }
        EXPECT_EQ(kept.join(u' ').toStdString(), expected);
    }
}
