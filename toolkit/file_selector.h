// The file selector: open one file or save one, through the desktop's dialog program.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace orv {

class CFrame;

struct FileDialogRequest {
    enum class Mode { OpenFile, SaveFile };
    Mode mode = Mode::OpenFile;
    std::string title;
    std::string initialDirectory;
    // The one filter, e.g. "Orv Preset" and "orv" (no dot); none when the extension is empty.
    std::string filterDescription;
    std::string filterExtension;
    // Save mode: the proposed file name, and the extension a chosen name without one gets.
    std::string defaultName;
    std::string defaultExtension;
};

struct FileDialogResult {
    enum class Status { Chosen, Cancelled, Unavailable };
    Status status = Status::Unavailable;
    std::string path;
};

// A modal file dialog. UI thread; run blocks it until the user is done.
class IFileDialog {
public:
    virtual ~IFileDialog() = default;
    // Whether a dialog can be shown at all on this system.
    virtual bool isAvailable() = 0;
    virtual FileDialogResult run(const FileDialogRequest& request) = 0;
};

// The argument lists of the two dialog programs (argv[0] is the program).
std::vector<std::string> zenityCommand(const FileDialogRequest& request);
std::vector<std::string> kdialogCommand(const FileDialogRequest& request);
// A chosen save path gets the default extension when its file name has none.
std::string withDefaultExtension(const std::string& path, const FileDialogRequest& request);

struct CommandOutcome {
    bool started = false;
    int exitStatus = -1;
    std::string standardOutput;
};

// Runs external programs; tests give a stand-in.
class ICommandRunner {
public:
    virtual ~ICommandRunner() = default;
    // Whether program is an executable on the search path.
    virtual bool canRun(const std::string& program) = 0;
    // Runs argv to its end and collects what it wrote to standard output.
    virtual CommandOutcome run(const std::vector<std::string>& argv) = 0;
};

// The real runner: the search path and a child process.
class ProcessCommandRunner : public ICommandRunner {
public:
    bool canRun(const std::string& program) override;
    CommandOutcome run(const std::vector<std::string>& argv) override;
};

// zenity when it is installed, else kdialog, else unavailable.
class DesktopFileDialog : public IFileDialog {
public:
    explicit DesktopFileDialog(ICommandRunner& commands) : runner(commands) {}
    bool isAvailable() override;
    FileDialogResult run(const FileDialogRequest& request) override;

private:
    ICommandRunner& runner;
};

// The process's desktop dialog over the real runner.
IFileDialog& desktopFileDialog();

class CNewFileSelector {
public:
    enum Style { kSelectFile, kSelectSaveFile };
    struct CFileExtension {
        std::string description;
        std::string extension;  // without the dot
    };

    // UI thread. A selector using the dialog of frame's window; null without a frame or when
    // no dialog can be shown.
    static std::unique_ptr<CNewFileSelector> create(CFrame* frame, Style style);
    CNewFileSelector(IFileDialog& dialog, Style style);

    void setTitle(std::string_view title) { request.title = title; }
    void setInitialDirectory(std::string_view folder) { request.initialDirectory = folder; }
    void setDefaultSaveName(std::string_view name) { request.defaultName = name; }
    void setDefaultExtension(const CFileExtension& extension) { request.defaultExtension = extension.extension; }
    // One filter only: a later call replaces the earlier one.
    void addFileExtension(const CFileExtension& extension);

    // UI thread; blocks until the dialog closes. True when a file was chosen.
    bool runModal();
    size_t getNumSelectedFiles() const noexcept { return selected.size(); }
    // Null for an index out of range.
    const char* getSelectedFile(size_t index) const;

    const FileDialogRequest& getRequest() const noexcept { return request; }

private:
    IFileDialog& dialog;
    FileDialogRequest request;
    std::vector<std::string> selected;
};

}  // namespace orv
