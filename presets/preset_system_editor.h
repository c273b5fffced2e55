// The preset side of the editor: the file locations of the dialogs, the preset and bank images,
// the preset and bank file operations and the per-user stores (memo slots, default preset,
// default bank, file locations). It lives as long as the plug-in instance, window or not.
//
// Threading: every operation runs on the host's user-interface thread.
#pragma once

#include "platform/settings_store.h"
#include "presets/preset_file_dialogs.h"
#include "presets/preset_paths.h"
#include "presets/preset_system_effect.h"
#include "shell/audio_effect.h"

#include <cstdint>
#include <span>

namespace orv {

class CPresetSystemEditor : public AEffEditor {
public:
    // Registers itself with effect, which owns it from now on. currentDirectory starts as the
    // process's current directory (empty when it is longer than 256 characters).
    CPresetSystemEditor(CPresetSystemEffect* effect, SettingsStore store);
    // Writes the file locations to the store.
    ~CPresetSystemEditor() override;
    CPresetSystemEditor(const CPresetSystemEditor&) = delete;
    CPresetSystemEditor& operator=(const CPresetSystemEditor&) = delete;

    // Shows name (terminated, at most 24 characters) in the name field and the program menu.
    virtual void showProgramName(const char* name);
    // Start-up: default bank, then default preset, then file locations.
    virtual void restorePresetState();
    // Images of any length; missing bytes read as zero. A bank makes program 0 current first, even
    // when the image is then rejected.
    virtual void applyBankImage(std::span<const uint8_t> image, bool endianReversed);
    virtual void buildBankImage(std::span<uint8_t, kBankImageSize> out);
    // A preset replaces the current program and applies it.
    virtual void applyPresetImage(std::span<const uint8_t> image, bool endianReversed);
    virtual void buildPresetImage(std::span<uint8_t, kPresetImageSize> out);

    // File operations of the preset controls; they do nothing while no window is open.
    void loadPresetFile(bool endianReversed);
    void savePresetFile();
    void loadBankFile(bool endianReversed);
    void saveBankFile();
    // The window's dialogs (not owned); null while there is no window.
    void setFileDialogs(PresetFileDialogs* dialogs) noexcept { dialogs_ = dialogs; }

    // Per-user stores; failures are silent.
    void storeDefaultPreset();
    void clearDefaultPreset();
    void loadDefaultPreset();
    void storeMemoA();
    void storeMemoB();
    void recallMemoA();
    void recallMemoB();
    void storeDefaultBank();
    void clearDefaultBank();
    void loadDefaultBank();
    void saveFileLocations();
    void loadFileLocations();

    const char* currentDirectory() const noexcept { return currentDirectory_; }
    const char* currentPresetFile() const noexcept { return currentPresetFile_; }
    const char* currentBankFile() const noexcept { return currentBankFile_; }

protected:
    CPresetSystemEffect* effect() const noexcept { return effect_; }
    const SettingsStore& store() const noexcept { return store_; }

private:
    // Runs the selector; true when exactly one file was chosen and its path fits the buffers,
    // which then hold its folder and name.
    bool chooseFile(const FileSelectorRequest& request, LocationBuffer& fileName);
    void storePreset(const char* valueName);
    void recallPreset(const char* valueName);
    void removeValue(const char* valueName);

    CPresetSystemEffect* effect_;
    SettingsStore store_;
    PresetFileDialogs* dialogs_ = nullptr;
    LocationBuffer currentDirectory_ = {};
    LocationBuffer currentPresetFile_ = {};
    LocationBuffer currentBankFile_ = {};
};

}  // namespace orv
