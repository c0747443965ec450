// A day's log file read back into the record grid, as yesterday's and today's file: the
// start-up load with its sorting and sow list, then the range load of the same two days for
// all sows and for one sow. The loads must agree with each other on what the files hold.
#include "FuzzSupport.h"
#include "platform/ComboBox.h"
#include "platform/DatePicker.h"
#include "platform/Grid.h"
#include "records/LogFile.h"
#include "records/RecordView.h"
#include "settings/Settings.h"

#include <QStringList>

#include <algorithm>

namespace {
constexpr int kSowColumn = 3;
constexpr int kDays = 2;

// Every record row as one text, in a fixed order, so that two loads can be compared.
QStringList sortedRows(const Grid &grid, int sowFilterColumn = -1, const QString &sow = {})
{
    QStringList rows;
    for (int r = 2; r < grid.rows(); ++r) {
        if (sowFilterColumn >= 0 && grid.text(r, sowFilterColumn) != sow)
            continue;
        QString row;
        for (int c = 0; c < grid.cols(); ++c)
            row += grid.text(r, c) + u'\x1f';
        rows.append(row);
    }
    rows.sort();
    return rows;
}

// A torn write at the end, left by a power cut, is no record: a last line without its line end
// and with fewer than thirteen fields, or NUL bytes at the end with the line they end.
QByteArray withoutTornEnd(QByteArray file)
{
    if (file.endsWith('\0')) {
        while (file.endsWith('\0'))
            file.chop(1);
        file.truncate(file.lastIndexOf('\n') + 1);
    } else if (!file.isEmpty() && !file.endsWith('\n')) {
        const qsizetype start = file.lastIndexOf('\n') + 1;
        if (file.mid(start).count('\t') < 12)
            file.truncate(start);
    }
    return file;
}

qsizetype recordLines(const QByteArray &whole)
{
    const QByteArray file = withoutTornEnd(whole);
    const qsizetype lines = file.count('\n') + (file.isEmpty() || file.endsWith('\n') ? 0 : 1);
    return std::max<qsizetype>(lines - 1, 0);
}
} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, size_t size)
{
    FuzzEnvironment &env = fuzzEnvironment();
    Settings settings;
    for (size_t i = 0; i < settings.staff.size(); ++i)
        settings.staff[i] = QStringLiteral("S%1").arg(i);
    for (size_t i = 0; i < settings.medicine.size(); ++i)
        settings.medicine[i] = QStringLiteral("M%1").arg(i + 1);

    const QDateTime now = env.clock.now();
    LogFile logFile(env.folder.path());
    const QByteArray file = inputBytes(data, size);
    for (int day = 0; day < kDays; ++day)
        env.folder.write(QStringLiteral("VimoLog/FAR-")
                             + now.addDays(-day).date().toString(QStringLiteral("yyyy-MM-dd"))
                             + QStringLiteral(".txt"),
                         file);

    Grid mshVimo{2, 14};
    ComboBox cmbSow;
    DatePicker dtpStart;
    DatePicker dtpSlut;
    RecordView view(mshVimo, cmbSow, dtpStart, dtpSlut, settings, env.texts, logFile);
    view.layoutGrid();
    view.setHeaderTexts();

    view.loadStartupDays(now);
    require(mshVimo.rows() == 2 + kDays * recordLines(file), "one row per record line");
    view.sortAndBuildSowList();
    require(cmbSow.count() >= 1 && cmbSow.currentIndex() == 0, "the sow list starts with all sows");
    for (int r = 2; r < mshVimo.rows(); ++r)
        require(mshVimo.text(r - 1, 1) <= mshVimo.text(r, 1), "rows are in date order");
    const QStringList atStart = sortedRows(mshVimo);
    QStringList sows;
    for (int i = 1; i < cmbSow.count(); ++i)
        sows.append(cmbSow.itemText(i));
    const QString oneSow = sows.isEmpty() ? QString() : sows.last();
    const QStringList ofOneSow = sortedRows(mshVimo, kSowColumn, oneSow);

    dtpStart.setValue(now.addDays(1 - kDays));
    dtpSlut.setValue(now);
    view.rangeLoad();
    require(sortedRows(mshVimo) == atStart, "the range load of the same days shows the same records");
    QStringList listed;
    for (int i = 1; i < cmbSow.count(); ++i)
        listed.append(cmbSow.itemText(i));
    listed.removeAll(QString());
    listed.sort();
    require(listed == sows, "both loads list the same sows");

    if (!oneSow.isEmpty()) {
        for (int i = 1; i < cmbSow.count(); ++i)
            if (cmbSow.itemText(i) == oneSow)
                cmbSow.userSelect(i);
        const int entries = cmbSow.count();
        view.rangeLoad();
        require(cmbSow.count() == entries && cmbSow.currentText() == oneSow, "one sow's load keeps the list");
        require(sortedRows(mshVimo) == ofOneSow, "one sow's load shows that sow's records, all of them");
    }
    return 0;
}
