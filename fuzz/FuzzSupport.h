#pragma once

#include "fakes/FixedClock.h"
#include "fakes/TempFolder.h"
#include "settings/ProgramFolders.h"
#include "settings/TextTable.h"

#include <QByteArray>
#include <QLocale>

#include <cstdint>
#include <cstdio>
#include <cstdlib>

// What every fuzz target shares: one program folder for the whole run (made once, its files
// rewritten for each input), texts "T<n>", a fixed clock (2024-03-07 09:30) and a pinned locale.
struct FuzzEnvironment
{
    FuzzEnvironment()
    {
        QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedKingdom));
        folders.ProgramFolder = folder.path();
        for (int i = 0; i < TextTable::kSize; ++i)
            texts.set(i, QStringLiteral("T%1").arg(i));
    }

    TempFolder folder;
    ProgramFolders folders;
    TextTable texts;
    FixedClock clock;
};

inline FuzzEnvironment &fuzzEnvironment()
{
    static FuzzEnvironment environment;
    return environment;
}

inline QByteArray inputBytes(const std::uint8_t *data, size_t size)
{
    return QByteArray(reinterpret_cast<const char *>(data), qsizetype(size));
}

// A broken promise of the program is a finding like a crash: libFuzzer keeps the input.
inline void require(bool holds, const char *what)
{
    if (holds)
        return;
    std::fprintf(stderr, "fuzz check failed: %s\n", what);
    std::abort();
}
