#pragma once

#include "platform/ChartData.h"

#include <QObject>

// A chart the program fills and the user only looks at.
class Chart : public QObject
{
    Q_OBJECT
public:
    const ChartData &data() const { return m_data; }
    void setData(ChartData data);

Q_SIGNALS:
    void changed();

private:
    ChartData m_data;
};
