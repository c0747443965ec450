#pragma once

#include "fakes/OptionFixture.h"
#include "fakes/Strings.h"
#include "platform/ComboBox.h"
#include "platform/DatePicker.h"
#include "platform/Grid.h"
#include "records/LogFile.h"
#include "records/RecordView.h"

#include <QLocale>

#include <memory>

// A program folder with loaded options (staff S0..S19 in rows 1..20, medicines M1..M10),
// texts "T<n>", the record grid laid out as at start-up, and a record view over them.
struct RecordsFixture : OptionFixture
{
    RecordsFixture()
    {
        QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedKingdom));
        for (int i = 1; i <= 20; ++i)
            options->mshStaff.setText(i, 1, QStringLiteral("S%1").arg(i - 1));
        for (int i = 1; i <= 10; ++i)
            options->mshMedicine.setText(i, 1, QStringLiteral("M%1").arg(i));
        logFile = std::make_unique<LogFile>(folder.path(), dialogs);
        view = std::make_unique<RecordView>(mshVimo, cmbSow, dtpStart, dtpSlut, *options, texts, *logFile);
        view->layoutGrid();
        view->setHeaderTexts();
    }
    ~RecordsFixture() { QLocale::setDefault(QLocale::c()); }

    // Writes VimoLog/FAR-<date>.txt.
    void writeDay(const QString &date, const QByteArray &content) const
    {
        folder.write(QStringLiteral("VimoLog/FAR-") + date + QStringLiteral(".txt"), content);
    }

    QStringList column(int col) const
    {
        QStringList texts;
        for (int r = 1; r < mshVimo.rows(); ++r)
            texts.append(mshVimo.text(r, col));
        return texts;
    }
    QStringList row(int r) const
    {
        QStringList texts;
        for (int c = 1; c < mshVimo.cols(); ++c)
            texts.append(mshVimo.text(r, c));
        return texts;
    }
    QStringList sowList() const
    {
        QStringList entries;
        for (int i = 0; i < cmbSow.count(); ++i)
            entries.append(cmbSow.itemText(i));
        return entries;
    }

    Grid mshVimo{2, 14};
    ComboBox cmbSow;
    DatePicker dtpStart;
    DatePicker dtpSlut;
    std::unique_ptr<LogFile> logFile;
    std::unique_ptr<RecordView> view;
};
