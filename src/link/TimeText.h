#pragma once

#include <QStringView>

// Minutes of a time of day written hh:mm (01:30 gives 90); a text that is no time gives 0.
int minutesOfTimeText(QStringView text);
