// The language file as start-up reads it: the texts of the current language, then the
// language list from the header line.
#include "FuzzSupport.h"
#include "fakes/FakeDialogs.h"
#include "platform/ComboBox.h"
#include "settings/LanguageFile.h"

namespace {
const QString kLanguage = QStringLiteral("DK");
constexpr int kMostListed = 11; // "none" and ten languages
} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, size_t size)
{
    FuzzEnvironment &env = fuzzEnvironment();
    env.folder.write(QStringLiteral("ViMoText.txt"), inputBytes(data, size));

    FakeDialogs dialogs;
    TextTable texts;
    LanguageFile::LoadLanguage(texts, env.folders.ProgramFolder, kLanguage, dialogs);
    require(dialogs.messages.size() <= 1, "the texts are loaded with one message at most");
    const size_t afterTexts = dialogs.messages.size();

    ComboBox cmbLan;
    LanguageFile::LoadCmbLan(cmbLan, env.folders.ProgramFolder, kLanguage, dialogs);
    const bool listed = dialogs.messages.size() == afterTexts;
    require(cmbLan.count() <= kMostListed, "at most ten languages are listed");
    require(listed == (cmbLan.count() > 0), "the list is filled exactly when the header could be read");
    if (listed) {
        require(cmbLan.itemText(0) == u"none", "the list begins with none");
        require(cmbLan.currentIndex() != 0, "none is never chosen for the current language");
        require(cmbLan.currentIndex() < 0 || cmbLan.currentText() == kLanguage,
                "the chosen entry is the current language");
    }
    return 0;
}
