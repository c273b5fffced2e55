// What the preset and bank file operations need of the editor window: whether it is open, a modal
// file selector and a redraw. The window supplies the real one; tests use a stand-in.
#pragma once

#include <string>
#include <vector>

namespace orv {

struct FileKind {
    const char* label;
    const char* extension;  // also the default extension when saving
};

inline constexpr FileKind kPresetFileKind{"Orv Preset", "orv"};
inline constexpr FileKind kBankFileKind{"Orv Bank", "ovb"};

enum class SelectorMode { OpenOne, Save };

struct FileSelectorRequest {
    SelectorMode mode;
    const char* title;
    const char* initialFolder;
    FileKind filter;
    const char* defaultName;  // save mode only; nullptr when opening
};

class PresetFileDialogs {
public:
    virtual ~PresetFileDialogs() = default;
    // UI thread.
    virtual bool windowOpen() const = 0;
    // UI thread, modal. The chosen paths; empty when cancelled or when no selector could be made.
    virtual std::vector<std::string> choose(const FileSelectorRequest& request) = 0;
    // UI thread. The whole window is drawn again after a load.
    virtual void redrawWindow() = 0;
};

}  // namespace orv
