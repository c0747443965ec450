// The newest setup file as start-up reads it: the language entry first, then every other
// entry into the options window's controls. The settings read are then saved and read back
// by a second window, which must come to the same settings.
#include "FuzzSupport.h"
#include "fakes/FakeDialogs.h"
#include "fakes/FakeSerialPort.h"
#include "settings/frmOption.h"

#include <QStringList>

namespace {
const QString kSetupFile = QStringLiteral("Setup/FarSetup-2024-03-07.txt");
const QString kLoadTitle = QStringLiteral("HM Set-up: Language Information File not found");

// The settings that a save writes and a load reads back as they are.
QStringList settingsOf(const frmOption &options)
{
    QStringList values{options.txtIntv1.text(), options.txtIntv2.text(), options.txtDur1.text(),
                       options.txtNoHand.text(), QString::number(options.cmbTemp.currentIndex())};
    for (int k = 1; k < options.mshStaff.rows(); ++k)
        values.append(options.mshStaff.text(k, 1));
    for (int k = 1; k < options.mshMedicine.rows(); ++k)
        values.append(options.mshMedicine.text(k, 1));
    return values;
}

// A value that begins with a double quote loses its first and last characters at every read.
bool survivesReading(const QStringList &values)
{
    for (const QString &value : values)
        if (value.startsWith(u'"'))
            return false;
    return true;
}

struct LoadedOptions
{
    explicit LoadedOptions(FuzzEnvironment &env) : options(env.folders, env.texts, dialogs, env.clock, port)
    {
        options.setPortLister([this] { ++portListings; });
        options.Load();
        options.HentSprog(language);
        options.LoadFrmOption();
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

    first.options.cmdGemLuk.click();
    require(!first.complained(QStringLiteral("FILE PROBLEM")), "saving into a healthy folder succeeds");
    const QStringList saved = settingsOf(first.options);
    if (!survivesReading(saved))
        return 0;
    const LoadedOptions second(env);
    require(second.dialogs.messages.empty(), "a saved setup file reads back without a complaint");
    require(settingsOf(second.options) == saved, "a saved setup file reads back to the same settings");
    require(second.portListings == 1, "a saved setup file lists the ports");
    return 0;
}
