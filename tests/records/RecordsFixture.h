#pragma once

#include "fakes/FileSizeLimit.h"
#include "fakes/OptionFixture.h"
#include "platform/DatePicker.h"
#include "records/LogFile.h"
#include "records/RecordView.h"

#include <QLocale>

inline QDateTime at(int day, int hour, int minute = 0)
{
    return QDateTime(QDate(2024, 3, day), QTime(hour, minute));
}

// A program folder with loaded options, settings in use (staff S0..S19, medicines M1..M10),
// texts "T<n>" (T41 yes, T42 no, T69 all sows), its log file and a record view over a grid
// with its headings.
struct RecordsFixture : OptionFixture
{
    RecordsFixture()
    {
        QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedKingdom));
        for (size_t i = 0; i < settings.staff.size(); ++i)
            settings.staff[i] = QStringLiteral("S%1").arg(i);
        for (size_t i = 0; i < settings.medicine.size(); ++i)
            settings.medicine[i] = QStringLiteral("M%1").arg(i + 1);
        view.setHeaderTexts();
    }
    ~RecordsFixture() { QLocale::setDefault(QLocale::c()); }

    // The log file of a day in March 2024.
    void writeDay(int day, const QByteArray &content) const
    {
        folder.write(QStringLiteral("VimoLog/FAR-2024-03-%1.txt").arg(day, 2, 10, QLatin1Char('0')), content);
    }
    void range(const QDateTime &start, const QDateTime &end)
    {
        dtpStart.setValue(start);
        dtpSlut.setValue(end);
        view.rangeLoad();
    }
    // Grid rows `first`.., the texts of columns `from`..`to` joined by '|'.
    QStringList rows(int first = 1, int from = 1, int to = 13) const
    {
        QStringList texts;
        for (int r = first; r < mshVimo.rows(); ++r) {
            QStringList cells;
            for (int c = from; c <= to; ++c)
                cells.append(mshVimo.text(r, c));
            texts.append(cells.join(u'|'));
        }
        return texts;
    }

    Settings settings;
    Grid mshVimo{2, 14};
    ComboBox cmbSow;
    DatePicker dtpStart;
    DatePicker dtpSlut;
    LogFile logFile{folder.path()};
    RecordView view{mshVimo, cmbSow, dtpStart, dtpSlut, settings, texts, logFile};
};
