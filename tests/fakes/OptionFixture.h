#pragma once

#include "fakes/FakeDialogs.h"
#include "fakes/FakeSerialPort.h"
#include "fakes/FixedClock.h"
#include "fakes/TempFolder.h"
#include "settings/ProgramFolders.h"
#include "settings/TextTable.h"
#include "settings/frmOption.h"

#include <memory>

// An options window over a temporary program folder, loaded as start-up loads it.
struct OptionFixture
{
    OptionFixture()
    {
        folders.ProgramFolder = folder.path();
        for (int i = 0; i < TextTable::kSize; ++i)
            texts.set(i, QStringLiteral("T%1").arg(i));
        options = std::make_unique<frmOption>(folders, texts, dialogs, clock, port);
        options->Load();
    }

    TempFolder folder;
    ProgramFolders folders;
    TextTable texts;
    FakeDialogs dialogs;
    FixedClock clock;
    FakeSerialPort port;
    std::unique_ptr<frmOption> options;
};
