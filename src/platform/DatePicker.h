#pragma once

#include <QDateTime>
#include <QObject>

// A date with time of day. `changedByUser` follows only the user's changes.
class DatePicker : public QObject
{
    Q_OBJECT
public:
    const QDateTime &value() const { return m_value; }
    void setValue(const QDateTime &value);
    void userSetValue(const QDateTime &value);

Q_SIGNALS:
    void changed();
    void changedByUser();

private:
    QDateTime m_value;
};
