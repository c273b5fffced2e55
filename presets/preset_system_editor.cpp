#include "presets/preset_system_editor.h"

#include <array>
#include <unistd.h>

namespace orv {
namespace {

constexpr const char* kDefaultPresetValue = "DefaultPreset";
constexpr const char* kMemoAValue = "MemoA";
constexpr const char* kMemoBValue = "MemoB";
constexpr const char* kDefaultBankValue = "DefaultBank";
constexpr const char* kDirectoryValue = "CurrDir";
constexpr const char* kBankFileValue = "CurrBank";
constexpr const char* kPresetFileValue = "CurrPreset";

}  // namespace

CPresetSystemEditor::CPresetSystemEditor(CPresetSystemEffect* effect, SettingsStore store)
    : effect_(effect), store_(std::move(store)) {
    if (!::getcwd(currentDirectory_, kLocationSize)) currentDirectory_[0] = '\0';
    effect_->attachEditor(this);
}

CPresetSystemEditor::~CPresetSystemEditor() {
    try {
        saveFileLocations();
    } catch (...) {  // out of memory for a path: the locations are not written
    }
}

void CPresetSystemEditor::showProgramName(const char*) {}

void CPresetSystemEditor::restorePresetState() {
    loadDefaultBank();
    loadDefaultPreset();
    loadFileLocations();
}

void CPresetSystemEditor::applyBankImage(std::span<const uint8_t> image, bool endianReversed) {
    effect_->selectProgram(0);
    const auto programs = decodeBankImage(image, effect_->getPresetId(), endianReversed);
    if (!programs) return;
    effect_->storeBank(*programs);
    showProgramName(terminatedName((*programs)[0].name).data());
    effect_->selectProgram(0);
}

void CPresetSystemEditor::buildBankImage(std::span<uint8_t, kBankImageSize> out) {
    encodeBankImage(effect_->bank(), effect_->getPresetId(), out);
}

void CPresetSystemEditor::applyPresetImage(std::span<const uint8_t> image, bool endianReversed) {
    const auto record = decodePresetImage(image, effect_->getPresetId(), endianReversed);
    if (!record) return;
    const int32_t current = effect_->getCurrentProgramIndex();
    effect_->storeProgram(current, *record);
    const auto name = terminatedName(record->name);
    showProgramName(name.data());
    effect_->setCurrentProgramName(name.data());
    effect_->selectProgram(current);
}

void CPresetSystemEditor::buildPresetImage(std::span<uint8_t, kPresetImageSize> out) {
    encodePresetImage(effect_->program(effect_->getCurrentProgramIndex()), effect_->getPresetId(), out);
}

bool CPresetSystemEditor::chooseFile(const FileSelectorRequest& request, LocationBuffer& fileName) {
    if (!dialogs_ || !dialogs_->windowOpen()) return false;
    const auto paths = dialogs_->choose(request);
    return paths.size() == 1 && splitSelectedPath(paths.front().c_str(), fileName, currentDirectory_);
}

void CPresetSystemEditor::loadPresetFile(bool endianReversed) {
    const char* title = endianReversed ? "Load preset (endian-reversed)" : "Load preset";
    if (!chooseFile({SelectorMode::OpenOne, title, currentDirectory_, kPresetFileKind, nullptr}, currentPresetFile_)) {
        return;
    }
    std::array<uint8_t, kPresetImageSize> image;
    readPresetStream(currentDirectory_, currentPresetFile_, image);
    applyPresetImage(image, endianReversed);
    dialogs_->redrawWindow();
}

void CPresetSystemEditor::loadBankFile(bool endianReversed) {
    const char* title = endianReversed ? "Load bank (endian-reversed)" : "Load bank";
    if (!chooseFile({SelectorMode::OpenOne, title, currentDirectory_, kBankFileKind, nullptr}, currentBankFile_)) {
        return;
    }
    std::array<uint8_t, kBankImageSize> image;
    readPresetStream(currentDirectory_, currentBankFile_, image);
    applyBankImage(image, endianReversed);
    dialogs_->redrawWindow();
}

void CPresetSystemEditor::savePresetFile() {
    if (!chooseFile({SelectorMode::Save, "Save preset", currentDirectory_, kPresetFileKind, currentPresetFile_},
                    currentPresetFile_)) {
        return;
    }
    std::array<uint8_t, kPresetImageSize> image{};
    buildPresetImage(image);
    writePresetStream(currentDirectory_, currentPresetFile_, image);
}

void CPresetSystemEditor::saveBankFile() {
    if (!chooseFile({SelectorMode::Save, "Save bank", currentDirectory_, kBankFileKind, currentBankFile_},
                    currentBankFile_)) {
        return;
    }
    std::array<uint8_t, kBankImageSize> image{};
    buildBankImage(image);
    writePresetStream(currentDirectory_, currentBankFile_, image);
}

void CPresetSystemEditor::storePreset(const char* valueName) {
    std::array<uint8_t, kPresetImageSize> image{};
    buildPresetImage(image);
    if (const auto key = store_.createKey()) key->set(valueName, image);
}

void CPresetSystemEditor::recallPreset(const char* valueName) {
    std::array<uint8_t, kPresetImageSize> image{};
    if (const auto key = store_.openKey()) key->query(valueName, image);
    applyPresetImage(image, false);
}

void CPresetSystemEditor::removeValue(const char* valueName) {
    if (const auto key = store_.openKey()) key->remove(valueName);
}

void CPresetSystemEditor::storeDefaultPreset() { storePreset(kDefaultPresetValue); }
void CPresetSystemEditor::clearDefaultPreset() { removeValue(kDefaultPresetValue); }
void CPresetSystemEditor::loadDefaultPreset() { recallPreset(kDefaultPresetValue); }
void CPresetSystemEditor::storeMemoA() { storePreset(kMemoAValue); }
void CPresetSystemEditor::storeMemoB() { storePreset(kMemoBValue); }
void CPresetSystemEditor::recallMemoA() { recallPreset(kMemoAValue); }
void CPresetSystemEditor::recallMemoB() { recallPreset(kMemoBValue); }

void CPresetSystemEditor::storeDefaultBank() {
    std::array<uint8_t, kBankImageSize> image{};
    buildBankImage(image);
    if (const auto key = store_.createKey()) key->set(kDefaultBankValue, image);
}

void CPresetSystemEditor::clearDefaultBank() { removeValue(kDefaultBankValue); }

void CPresetSystemEditor::loadDefaultBank() {
    std::array<uint8_t, kBankImageSize> image{};
    if (const auto key = store_.openKey()) key->query(kDefaultBankValue, image);
    applyBankImage(image, false);
}

void CPresetSystemEditor::saveFileLocations() {
    const auto key = store_.createKey();
    if (!key) return;
    key->setText(kDirectoryValue, currentDirectory_);
    key->setText(kBankFileValue, currentBankFile_);
    key->setText(kPresetFileValue, currentPresetFile_);
}

void CPresetSystemEditor::loadFileLocations() {
    currentDirectory_[0] = currentBankFile_[0] = currentPresetFile_[0] = '\0';
    const auto key = store_.openKey();
    if (!key) return;
    key->queryText(kDirectoryValue, currentDirectory_);
    key->queryText(kBankFileValue, currentBankFile_);
    key->queryText(kPresetFileValue, currentPresetFile_);
}

}  // namespace orv
