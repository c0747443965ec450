#include "platform/Report.h"

QString Report::rowFlags(size_t row) const
{
    if (row >= cellFlags.size())
        return {};
    QStringList reasons;
    for (const QString &reason : cellFlags[row])
        if (!reason.isEmpty())
            reasons << reason;
    return reasons.join(QStringLiteral("; "));
}
