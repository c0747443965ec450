// pcvimo-make-year: writes log files of made-up but farm-like farrowing records into a
// program folder's VimoLog, for the benchmarks.
//
//   pcvimo-make-year PROGRAM_FOLDER [--first YYYY-MM-DD] [--days N] [--per-day N] [--sows N]
//
// Defaults: a whole year from 2023-01-01, 200 records a day, 300 sows.

#include "link/PacketHandler.h"
#include "protocol/RecordFields.h"
#include "records/LogFile.h"

#include <QCoreApplication>
#include <QDate>
#include <QDir>
#include <QFile>
#include <QStringList>

#include <algorithm>
#include <cstdio>
#include <random>
#include <vector>

namespace {
using B = RecordFields::RecordByte;

struct Options
{
    QString folder;
    QDate first{2023, 1, 1};
    int days = 365;
    int perDay = 200;
    int sows = 300;
};

bool parse(const QStringList &args, Options &options)
{
    for (int i = 1; i < args.size(); ++i) {
        const QString &arg = args[i];
        const bool hasValue = i + 1 < args.size();
        if (arg == u"--first" && hasValue)
            options.first = QDate::fromString(args[++i], Qt::ISODate);
        else if (arg == u"--days" && hasValue)
            options.days = args[++i].toInt();
        else if (arg == u"--per-day" && hasValue)
            options.perDay = args[++i].toInt();
        else if (arg == u"--sows" && hasValue)
            options.sows = args[++i].toInt();
        else if (options.folder.isEmpty() && !arg.startsWith(u"--"))
            options.folder = arg;
        else
            return false;
    }
    return !options.folder.isEmpty() && options.first.isValid() && options.days > 0 && options.perDay >= 0
        && options.sows > 0;
}

// Sow numbers as farms write them: plain numbers, some with a section letter, filled with
// blanks (or, on older terminals, with zero bytes) to ten characters.
std::vector<QByteArray> makeSows(int count, std::mt19937 &random)
{
    std::vector<QByteArray> sows;
    std::uniform_int_distribution<int> number(1000, 99999);
    for (int i = 0; i < count; ++i) {
        QByteArray id = QByteArray::number(number(random));
        if (i % 5 == 0)
            id.prepend(char('A' + i % 4));
        id = id.leftJustified(RecordFields::kSowLength, i % 17 == 0 ? '\0' : ' ', true);
        sows.push_back(id);
    }
    return sows;
}

struct Moment
{
    QDate day;
    int minuteOfDay;
};

RecordData makeRecord(const Moment &when, const QByteArray &sow, std::mt19937 &random)
{
    auto roll
        = [&random](int low, int high) { return std::uniform_int_distribution<int>(low, high)(random); };
    RecordData data{};
    auto set = [&data](B at, int value) { data[size_t(at)] = std::uint8_t(value); };
    set(B::Type, roll(1, 3));
    set(B::Year, when.day.year() - 2000);
    set(B::Month, when.day.month());
    set(B::Day, when.day.day());
    set(B::Hour, when.minuteOfDay / 60);
    set(B::Minute, when.minuteOfDay % 60);
    set(B::Staff, roll(0, 7));
    set(B::ReactionTime, roll(0, 60));
    const int alive = roll(6, 19);
    set(B::Alive, alive);
    set(B::Still, roll(0, 10) < 7 ? 0 : roll(1, 3));
    set(B::Mumi, roll(0, 10) < 8 ? 0 : roll(1, 2));
    set(B::Weak, roll(0, 2));
    set(B::Female, std::clamp(alive / 2 + roll(-2, 2), 0, alive));
    set(B::BirthAssist, roll(0, 9) == 0 ? 1 : 0);
    const bool treated = roll(0, 9) < 3;
    set(B::Medication, treated ? roll(1, 5) : 0);
    set(B::Dose, treated ? roll(2, 20) : 0);
    const int temperature = roll(378, 405);
    set(B::TemperatureHigh, temperature / 256);
    set(B::TemperatureLow, temperature % 256);
    for (int i = 0; i < RecordFields::kSowLength; ++i)
        data[size_t(B::SowFirst) + size_t(i)] = std::uint8_t(sow[i]);
    return data;
}

QByteArray dayFile(const QDate &day, const Options &options, const std::vector<QByteArray> &sows,
                   std::mt19937 &random)
{
    // Records come in as the terminals are polled, so the times rise through the day, but
    // terminals interleave a little and the last records of the evening before arrive
    // after midnight.
    std::vector<Moment> moments;
    std::uniform_int_distribution<int> minute(0, 24 * 60 - 1);
    for (int i = 0; i < options.perDay; ++i)
        moments.push_back({day, minute(random)});
    std::sort(moments.begin(), moments.end(),
              [](const Moment &a, const Moment &b) { return a.minuteOfDay < b.minuteOfDay; });
    for (size_t i = 1; i < moments.size(); i += 9)
        std::swap(moments[i - 1], moments[i]);
    if (!moments.empty() && options.perDay > 20)
        for (int i = 0; i < 2; ++i)
            moments[size_t(i)] = {day.addDays(-1), 24 * 60 - 3 + i};

    QByteArray content = LogFile::headerLine();
    std::uniform_int_distribution<size_t> pickSow(0, sows.size() - 1);
    for (int i = 0; i < int(moments.size()); ++i) {
        RecordData data = makeRecord(moments[size_t(i)], sows[pickSow(random)], random);
        const int left = int(moments.size()) - 1 - i;
        data[size_t(B::CountHigh)] = std::uint8_t(left / 256 % 128);
        data[size_t(B::CountLow)] = std::uint8_t(left % 256);
        content += RecordFields::logLine(
            RecordFields::fromRecord(RecordFields::RecordBytes(data.data(), RecordFields::kRecordBytes)));
    }
    return content;
}
} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    Options options;
    if (!parse(app.arguments(), options)) {
        std::fprintf(stderr,
                     "usage: pcvimo-make-year PROGRAM_FOLDER [--first YYYY-MM-DD] [--days N] [--per-day N] "
                     "[--sows N]\n");
        return 2;
    }
    const QString logFolder = options.folder + QStringLiteral("/VimoLog");
    if (!QDir().mkpath(logFolder)) {
        std::fprintf(stderr, "cannot make %s\n", qPrintable(logFolder));
        return 1;
    }
    std::mt19937 random(2024);
    const std::vector<QByteArray> sows = makeSows(options.sows, random);
    long long records = 0;
    for (int d = 0; d < options.days; ++d) {
        const QDate day = options.first.addDays(d);
        QFile file(logFolder + QStringLiteral("/FAR-") + day.toString(Qt::ISODate) + QStringLiteral(".txt"));
        if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate)
            || file.write(dayFile(day, options, sows, random)) < 0) {
            std::fprintf(stderr, "cannot write %s\n", qPrintable(file.fileName()));
            return 1;
        }
        records += options.perDay;
    }
    std::printf("%d days, %lld records, %d sows in %s\n", options.days, records, options.sows,
                qPrintable(logFolder));
    return 0;
}
