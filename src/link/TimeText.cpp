#include "link/TimeText.h"

#include <QRegularExpression>

int minutesOfTimeText(QStringView text)
{
    static const QRegularExpression time(QStringLiteral(R"(^\s*(\d{1,2}):(\d{1,2})(?::(\d{1,2}))?\s*$)"));
    const QRegularExpressionMatch match = time.match(text.toString());
    if (!match.hasMatch())
        return 0;
    const int hours = match.capturedView(1).toInt();
    const int minutes = match.capturedView(2).toInt();
    const int seconds = match.hasCaptured(3) ? match.capturedView(3).toInt() : 0;
    if (hours > 23 || minutes > 59 || seconds > 59)
        return 0;
    return hours * 60 + minutes;
}
