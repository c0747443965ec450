#pragma once

#include "platform/Clock.h"

// A clock that shows what the test sets.
class FixedClock final : public Clock
{
public:
    explicit FixedClock(QDateTime now = QDateTime(QDate(2024, 3, 7), QTime(9, 30))) : moment(std::move(now))
    { }
    QDateTime now() const override { return moment; }

    QDateTime moment;
};
