// Loading the record grid: a whole year's range load, the start-up load of two busy days,
// and what the year's grid costs in memory. The data comes from pcvimo-make-year (run.sh).

#include "platform/ComboBox.h"
#include "platform/DatePicker.h"
#include "platform/Grid.h"
#include "records/LogFile.h"
#include "records/RecordView.h"
#include "settings/Settings.h"
#include "settings/TextTable.h"

#include <benchmark/benchmark.h>

#include <QCoreApplication>
#include <QDir>
#include <QFile>

#include <malloc.h>

#include <cstdlib>
#include <memory>

namespace {

QString dataFolder(const char *which)
{
    const QByteArray root = qgetenv("PCVIMO_BENCH_DATA");
    return QDir(root.isEmpty() ? QStringLiteral(PCVIMO_BENCH_DATA) : QString::fromLocal8Bit(root))
        .filePath(QString::fromLatin1(which));
}

// The parts of the main window the record view works with, over a program folder.
struct Program
{
    explicit Program(const QString &folder)
    {
        for (int i = 0; i < TextTable::kSize; ++i)
            texts.set(i, QStringLiteral("Text %1").arg(i));
        for (size_t i = 0; i < settings.staff.size(); ++i)
            settings.staff[i] = QStringLiteral("Staff %1").arg(i + 1);
        for (size_t i = 0; i < settings.medicine.size(); ++i)
            settings.medicine[i] = QStringLiteral("Medicine %1").arg(i + 1);
        logFile = std::make_unique<LogFile>(folder);
        view = std::make_unique<RecordView>(mshVimo, cmbSow, dtpStart, dtpSlut, settings, texts, *logFile);
        view->layoutGrid();
        view->setHeaderTexts();
    }

    TextTable texts;
    Settings settings;
    Grid mshVimo{2, 14};
    ComboBox cmbSow;
    DatePicker dtpStart;
    DatePicker dtpSlut;
    std::unique_ptr<LogFile> logFile;
    std::unique_ptr<RecordView> view;
};

void setYear(Program &program)
{
    program.dtpStart.setValue(QDateTime(QDate(2023, 1, 1), QTime(0, 0)));
    program.dtpSlut.setValue(QDateTime(QDate(2023, 12, 31), QTime(23, 59)));
}

void BM_RangeLoadYear(benchmark::State &state)
{
    Program program(dataFolder("year"));
    setYear(program);
    for (auto _ : state) {
        program.view->rangeLoad();
        benchmark::DoNotOptimize(program.mshVimo.rows());
    }
    state.counters["rows"] = program.mshVimo.rows() - 2;
    state.counters["sows"] = program.cmbSow.count() - 1;
}
BENCHMARK(BM_RangeLoadYear)->Unit(benchmark::kMillisecond)->MinTime(2.0);

// The start-up load: yesterday's and today's files read, sorted and the sow list built.
void startupLoad(benchmark::State &state, const char *which)
{
    Program program(dataFolder(which));
    const QDateTime now(QDate(2024, 3, 7), QTime(9, 30));
    for (auto _ : state) {
        state.PauseTiming();
        program.mshVimo.setRows(1);
        program.mshVimo.setRows(2);
        program.cmbSow.clear();
        state.ResumeTiming();
        program.view->loadStartupDays(now);
        program.view->sortAndBuildSowList();
    }
    state.counters["rows"] = program.mshVimo.rows() - 2;
    state.counters["sows"] = program.cmbSow.count() - 1;
}
// Two ordinary days of 5,000 records each, and two very busy ones (73,000 records, 1,200 sows).
BENCHMARK_CAPTURE(startupLoad, TwoDays, "startup")->Unit(benchmark::kMillisecond)->MinTime(2.0);
BENCHMARK_CAPTURE(startupLoad, TwoBusyDays, "startup-busy")->Unit(benchmark::kMillisecond)->MinTime(2.0);

// One record line stored as the intake stores it (appended, forced to the disk, closed), against
// the same append left in the system's cache: what durability costs a record. On the disk the
// data folder is on, not in memory.
void BM_StoreRecordLine(benchmark::State &state)
{
    const QString folder = dataFolder("store");
    QDir(folder).removeRecursively();
    QDir().mkpath(folder);
    LogFile log(folder);
    const QByteArray line
        = QByteArrayLiteral("2024-03-07 09:05\t2\tDK1234    \t11\t1\t0\t2\t0\t3\t7\t385\t6\t12\r\n");
    const QDate day(2024, 3, 7);
    const bool durable = state.range(0) == 1;
    for (auto _ : state) {
        if (durable) {
            benchmark::DoNotOptimize(log.store(day, line));
        } else {
            QFile file(log.path(day));
            benchmark::DoNotOptimize(file.open(QIODevice::WriteOnly | QIODevice::Append)
                                     && file.write(line) > 0);
        }
    }
    state.SetLabel(durable ? "forced to the disk" : "left in the cache");
}
BENCHMARK(BM_StoreRecordLine)->Arg(1)->Arg(0)->Unit(benchmark::kMicrosecond);

// Heap in use after the year is loaded, less the heap of the same program with an empty grid.
// Large blocks (the grid's rows and its blocks of cell texts) are mapped apart from the heap; a
// block counts whole, used or not.
size_t heapInUse()
{
    const struct mallinfo2 info = mallinfo2();
    return info.uordblks + info.hblkhd;
}

void BM_YearGridMemory(benchmark::State &state)
{
    for (auto _ : state) {
        Program program(dataFolder("year"));
        setYear(program);
        malloc_trim(0);
        const size_t before = heapInUse();
        program.view->rangeLoad();
        malloc_trim(0);
        const size_t after = heapInUse();
        state.counters["grid_MB"] = double(after - before) / (1024.0 * 1024.0);
        state.counters["bytes_per_row"] = double(after - before) / double(program.mshVimo.rows() - 2);
    }
}
BENCHMARK(BM_YearGridMemory)->Unit(benchmark::kMillisecond)->Iterations(1);

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
