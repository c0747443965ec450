#pragma once

#include "platform/Clock.h"

#include <optional>

// A clock that shows what the test sets; its monotonic time moves with it, unless a test sets
// the date and time apart from it.
class FixedClock final : public Clock
{
public:
    explicit FixedClock(QDateTime now = QDateTime(QDate(2024, 3, 7), QTime(9, 30))) : moment(std::move(now))
    { }
    QDateTime now() const override { return moment; }
    qint64 monotonicMs() const override { return monotonic ? *monotonic : kEpoch.msecsTo(moment); }

    QDateTime moment;
    std::optional<qint64> monotonic;

private:
    inline static const QDateTime kEpoch{QDate(2000, 1, 1), QTime(0, 0)};
};
