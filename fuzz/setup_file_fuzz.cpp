// The newest setup file as start-up reads it: once, the language looked up first, then the
// settings shown in the options window's controls. The settings are then saved and read back by
// a second window, which must come to the same settings as the ones the first handed back.
#include "FuzzSupport.h"
#include "fakes/FakeDialogs.h"
#include "fakes/FakeSerialPort.h"
#include "settings/SetupFile.h"
#include "settings/frmOption.h"

#include <QStringList>

#include <optional>

namespace {
const QString kSetupFile = QStringLiteral("Setup/FarSetup-2024-03-07.txt");
const QString kLoadTitle = QStringLiteral("HM Set-up: Language Information File not found");

// A value that begins with a double quote loses its first and last characters at every read.
bool survivesReading(const Settings &settings)
{
    QStringList values{settings.language, settings.interval1, settings.interval2, settings.duration1,
                       settings.handTerminals};
    values.append(QStringList(settings.staff.begin(), settings.staff.end()));
    values.append(QStringList(settings.medicine.begin(), settings.medicine.end()));
    for (const QString &value : values)
        if (value.startsWith(u'"'))
            return false;
    return true;
}

struct LoadedOptions
{
    explicit LoadedOptions(FuzzEnvironment &env)
        : options(env.folders, env.texts, dialogs, env.clock, port),
          setup(SetupFile::read(SetupFile::newest(env.folders.ProgramFolder, env.clock.now())))
    {
        QObject::connect(&options, &frmOption::portListWanted, [this] { ++portListings; });
        QObject::connect(&options, &frmOption::saved, [this](const Settings &saved) { handedBack = saved; });
        options.Load();
        options.HentSprog(setup, language);
        options.LoadFrmOption(setup);
    }

    bool complained(const QString &title) const
    {
        for (const auto &message : dialogs.messages)
            if (message.title == title)
                return true;
        return false;
    }

    FakeDialogs dialogs;
    FakeSerialPort port;
    frmOption options;
    const SetupFile::Contents setup;
    std::optional<Settings> handedBack;
    QString language = QStringLiteral("before");
    int portListings = 0;
};
} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, size_t size)
{
    FuzzEnvironment &env = fuzzEnvironment();
    env.folder.write(kSetupFile, inputBytes(data, size));

    LoadedOptions first(env);
    // The port list is rebuilt exactly when the whole file was read without a complaint.
    require(first.portListings == (first.complained(kLoadTitle) ? 0 : 1), "a clean read lists the ports");
    require(first.options.cmbTemp.currentIndex() >= -1 && first.options.cmbTemp.currentIndex() < 2,
            "the temperature choice is one of the list's entries or none");
    require(first.options.cmbTemp.currentIndex() == first.setup.settings.temperature,
            "the window shows the temperature choice read");

    first.options.cmdGemLuk.click();
    require(!first.complained(QStringLiteral("FILE PROBLEM")), "saving into a healthy folder succeeds");
    require(first.handedBack.has_value(), "a save hands the settings back");
    Settings shown = first.setup.settings;
    shown.language = first.handedBack->language; // the language list and the port list are not
    shown.comPort = first.handedBack->comPort; // filled here
    require(*first.handedBack == shown, "a save hands back the settings the window was loaded with");
    if (!survivesReading(*first.handedBack))
        return 0;
    const LoadedOptions second(env);
    require(second.dialogs.messages.empty(), "a saved setup file reads back without a complaint");
    require(second.setup.settings == *first.handedBack, "a saved setup file reads back to the same settings");
    require(second.portListings == 1, "a saved setup file lists the ports");
    return 0;
}
