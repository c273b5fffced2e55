#include "toolkit/file_selector.h"

#include "toolkit/frame.h"

#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>

extern char** environ;

namespace orv {
namespace {

bool isSave(const FileDialogRequest& r) { return r.mode == FileDialogRequest::Mode::SaveFile; }

// The folder with a trailing slash, followed by the proposed name in save mode.
std::string startPath(const FileDialogRequest& r) {
    std::string path = r.initialDirectory;
    if (!path.empty() && path.back() != '/') path += '/';
    if (isSave(r)) path += r.defaultName;
    return path;
}

bool hasFilter(const FileDialogRequest& r) { return !r.filterExtension.empty(); }

std::string filterLabel(const FileDialogRequest& r) {
    const std::string pattern = "*." + r.filterExtension;
    return r.filterDescription.empty() ? pattern : r.filterDescription + " (" + pattern + ")";
}

}  // namespace

std::vector<std::string> zenityCommand(const FileDialogRequest& r) {
    std::vector<std::string> argv{"zenity", "--file-selection", "--title=" + r.title};
    if (isSave(r)) {
        argv.emplace_back("--save");
        argv.emplace_back("--confirm-overwrite");
    }
    if (const std::string start = startPath(r); !start.empty()) argv.push_back("--filename=" + start);
    if (hasFilter(r)) argv.push_back("--file-filter=" + filterLabel(r) + " | *." + r.filterExtension);
    return argv;
}

std::vector<std::string> kdialogCommand(const FileDialogRequest& r) {
    std::vector<std::string> argv{"kdialog", "--title", r.title,
                                  isSave(r) ? "--getsavefilename" : "--getopenfilename"};
    const std::string start = startPath(r);
    argv.push_back(start.empty() ? "." : start);
    if (hasFilter(r)) argv.push_back(filterLabel(r));
    return argv;
}

std::string withDefaultExtension(const std::string& path, const FileDialogRequest& r) {
    if (!isSave(r) || r.defaultExtension.empty()) return path;
    const size_t slash = path.find_last_of('/');
    const std::string_view name = std::string_view(path).substr(slash == std::string::npos ? 0 : slash + 1);
    if (name.empty() || name.find('.') != std::string_view::npos) return path;
    return path + "." + r.defaultExtension;
}

bool ProcessCommandRunner::canRun(const std::string& program) {
    const char* searchPath = std::getenv("PATH");
    if (searchPath == nullptr) return false;
    std::string_view rest(searchPath);
    while (true) {
        const size_t colon = rest.find(':');
        std::string candidate(rest.substr(0, colon));
        if (candidate.empty()) candidate.assign(1, '.');
        candidate.append(1, '/').append(program);
        if (access(candidate.c_str(), X_OK) == 0) return true;
        if (colon == std::string_view::npos) return false;
        rest.remove_prefix(colon + 1);
    }
}

CommandOutcome ProcessCommandRunner::run(const std::vector<std::string>& argv) {
    CommandOutcome outcome;
    if (argv.empty()) return outcome;
    int pipeEnds[2];
    if (pipe2(pipeEnds, O_CLOEXEC) != 0) return outcome;

    std::vector<char*> arguments;
    for (const std::string& a : argv) arguments.push_back(const_cast<char*>(a.c_str()));
    arguments.push_back(nullptr);

    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 0, "/dev/null", O_RDONLY, 0);
    posix_spawn_file_actions_adddup2(&actions, pipeEnds[1], 1);
    pid_t child = 0;
    const int spawned = posix_spawnp(&child, arguments[0], &actions, nullptr, arguments.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    close(pipeEnds[1]);
    if (spawned != 0) {
        close(pipeEnds[0]);
        return outcome;
    }
    outcome.started = true;
    char buffer[1024];
    while (true) {
        const ssize_t got = read(pipeEnds[0], buffer, sizeof buffer);
        if (got > 0) outcome.standardOutput.append(buffer, static_cast<size_t>(got));
        else if (got == 0 || errno != EINTR) break;
    }
    close(pipeEnds[0]);
    int status = 0;
    pid_t waited = 0;
    do {
        waited = waitpid(child, &status, 0);
    } while (waited < 0 && errno == EINTR);
    if (waited == child && WIFEXITED(status)) outcome.exitStatus = WEXITSTATUS(status);
    else if (waited < 0) outcome.exitStatus = outcome.standardOutput.empty() ? 1 : 0;  // host reaps children
    // 127: the shell convention for a program that could not be executed.
    if (outcome.exitStatus == 127) outcome.started = false;
    return outcome;
}

bool DesktopFileDialog::isAvailable() { return runner.canRun("zenity") || runner.canRun("kdialog"); }

FileDialogResult DesktopFileDialog::run(const FileDialogRequest& request) {
    FileDialogResult result;
    std::vector<std::string> argv;
    if (runner.canRun("zenity")) argv = zenityCommand(request);
    else if (runner.canRun("kdialog")) argv = kdialogCommand(request);
    else return result;

    const CommandOutcome outcome = runner.run(argv);
    if (!outcome.started) return result;
    std::string path = outcome.standardOutput;
    while (!path.empty() && (path.back() == '\n' || path.back() == '\r')) path.pop_back();
    if (outcome.exitStatus != 0 || path.empty()) {
        result.status = FileDialogResult::Status::Cancelled;
        return result;
    }
    result.status = FileDialogResult::Status::Chosen;
    result.path = withDefaultExtension(path, request);
    return result;
}

IFileDialog& desktopFileDialog() {
    static ProcessCommandRunner runner;
    static DesktopFileDialog dialog(runner);
    return dialog;
}

std::unique_ptr<CNewFileSelector> CNewFileSelector::create(CFrame* frame, Style style) {
    if (frame == nullptr) return nullptr;
    IFileDialog& dialog = frame->getPlatform().fileDialog();
    if (!dialog.isAvailable()) return nullptr;
    return std::make_unique<CNewFileSelector>(dialog, style);
}

CNewFileSelector::CNewFileSelector(IFileDialog& d, Style style) : dialog(d) {
    request.mode = style == kSelectSaveFile ? FileDialogRequest::Mode::SaveFile : FileDialogRequest::Mode::OpenFile;
}

void CNewFileSelector::addFileExtension(const CFileExtension& extension) {
    request.filterDescription = extension.description;
    request.filterExtension = extension.extension;
}

bool CNewFileSelector::runModal() {
    selected.clear();
    const FileDialogResult result = dialog.run(request);
    if (result.status != FileDialogResult::Status::Chosen) return false;
    selected.push_back(result.path);
    return true;
}

const char* CNewFileSelector::getSelectedFile(size_t index) const {
    return index < selected.size() ? selected[index].c_str() : nullptr;
}

}  // namespace orv
