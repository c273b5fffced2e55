#include "toolkit/file_selector.h"

#include "toolkit_fixture.h"

#include <set>
#include <string>
#include <vector>

namespace orv::test {
namespace {

using Args = std::vector<std::string>;

// Knows a chosen set of programs and answers every run with one scripted outcome.
struct ScriptedRunner : ICommandRunner {
    bool canRun(const std::string& program) override { return installed.count(program) > 0; }
    CommandOutcome run(const Args& argv) override {
        runs.push_back(argv);
        return outcome;
    }
    std::set<std::string> installed;
    CommandOutcome outcome{true, 0, ""};
    std::vector<Args> runs;
};

FileDialogRequest openRequest() {
    FileDialogRequest r;
    r.title = "Load preset";
    r.initialDirectory = "/home/u/Presets";
    r.filterDescription = "Orv Preset";
    r.filterExtension = "orv";
    return r;
}

FileDialogRequest saveRequest() {
    FileDialogRequest r = openRequest();
    r.mode = FileDialogRequest::Mode::SaveFile;
    r.title = "Save preset";
    r.initialDirectory = "/home/u/Presets/";
    r.defaultName = "My.orv";
    r.defaultExtension = "orv";
    return r;
}

TEST(FileDialogCommands, ZenityGetsTitleFolderAndTheOneFilter) {
    EXPECT_EQ(zenityCommand(openRequest()),
              (Args{"zenity", "--file-selection", "--title=Load preset", "--filename=/home/u/Presets/",
                    "--file-filter=Orv Preset (*.orv) | *.orv"}));
    EXPECT_EQ(zenityCommand(saveRequest()),
              (Args{"zenity", "--file-selection", "--title=Save preset", "--save", "--confirm-overwrite",
                    "--filename=/home/u/Presets/My.orv", "--file-filter=Orv Preset (*.orv) | *.orv"}));
}

TEST(FileDialogCommands, KdialogGetsTheSameInItsOwnForm) {
    EXPECT_EQ(kdialogCommand(openRequest()),
              (Args{"kdialog", "--title", "Load preset", "--getopenfilename", "/home/u/Presets/", "Orv Preset (*.orv)"}));
    EXPECT_EQ(kdialogCommand(saveRequest()), (Args{"kdialog", "--title", "Save preset", "--getsavefilename",
                                                   "/home/u/Presets/My.orv", "Orv Preset (*.orv)"}));
}

TEST(FileDialogCommands, WithoutFolderOrFilterTheyAreLeftOut) {
    FileDialogRequest bare;
    bare.title = "Pick";
    EXPECT_EQ(zenityCommand(bare), (Args{"zenity", "--file-selection", "--title=Pick"}));
    EXPECT_EQ(kdialogCommand(bare), (Args{"kdialog", "--title", "Pick", "--getopenfilename", "."}));
}

struct ExtensionCase {
    std::string chosen;
    std::string expected;
};

TEST(FileDialogCommands, ASavedNameWithoutExtensionGetsTheDefaultOne) {
    const ExtensionCase cases[] = {
        {"/a/My", "/a/My.orv"}, {"/a/My.orv", "/a/My.orv"}, {"/a/My.txt", "/a/My.txt"}, {"/a.b/My", "/a.b/My.orv"}};
    for (const ExtensionCase& c : cases) EXPECT_EQ(withDefaultExtension(c.chosen, saveRequest()), c.expected);
    EXPECT_EQ(withDefaultExtension("/a/My", openRequest()), "/a/My");
}

TEST(DesktopDialog, PrefersZenityThenKdialog) {
    ScriptedRunner runner;
    runner.installed = {"kdialog", "zenity"};
    DesktopFileDialog dialog(runner);
    dialog.run(openRequest());
    runner.installed = {"kdialog"};
    dialog.run(openRequest());
    ASSERT_EQ(runner.runs.size(), 2u);
    EXPECT_EQ(runner.runs[0][0], "zenity");
    EXPECT_EQ(runner.runs[1][0], "kdialog");
}

TEST(DesktopDialog, ReportsThatItCannotOpenWithoutEitherProgram) {
    ScriptedRunner runner;
    DesktopFileDialog dialog(runner);
    EXPECT_FALSE(dialog.isAvailable());
    EXPECT_EQ(dialog.run(openRequest()).status, FileDialogResult::Status::Unavailable);
    EXPECT_TRUE(runner.runs.empty());
}

TEST(DesktopDialog, AProgramThatDoesNotStartIsUnavailableToo) {
    ScriptedRunner runner;
    runner.installed = {"zenity"};
    runner.outcome = {false, -1, ""};
    DesktopFileDialog dialog(runner);
    EXPECT_EQ(dialog.run(openRequest()).status, FileDialogResult::Status::Unavailable);
}

TEST(FileSelector, AChosenFileIsTheOneSelection) {
    ScriptedRunner runner;
    runner.installed = {"zenity"};
    runner.outcome = {true, 0, "/home/u/Presets/Loud\n"};
    DesktopFileDialog dialog(runner);
    CNewFileSelector selector(dialog, CNewFileSelector::kSelectSaveFile);
    selector.setTitle("Save preset");
    selector.setInitialDirectory("/home/u/Presets");
    selector.setDefaultSaveName("My.orv");
    selector.addFileExtension({"Orv Preset", "orv"});
    selector.setDefaultExtension({"Orv Preset", "orv"});
    ASSERT_TRUE(selector.runModal());
    ASSERT_EQ(selector.getNumSelectedFiles(), 1u);
    EXPECT_STREQ(selector.getSelectedFile(0), "/home/u/Presets/Loud.orv");
    EXPECT_EQ(selector.getSelectedFile(1), nullptr);
    EXPECT_EQ(runner.runs.at(0), zenityCommand(saveRequest()));
}

TEST(FileSelector, CancellingSelectsNothing) {
    ScriptedRunner runner;
    runner.installed = {"zenity"};
    runner.outcome = {true, 1, ""};
    DesktopFileDialog dialog(runner);
    CNewFileSelector selector(dialog, CNewFileSelector::kSelectFile);
    EXPECT_FALSE(selector.runModal());
    EXPECT_EQ(selector.getNumSelectedFiles(), 0u);
}

class FileSelectorInFrame : public FrameTest {};

TEST_F(FileSelectorInFrame, CannotBeCreatedWhenTheWindowHasNoDialog) {
    EXPECT_EQ(CNewFileSelector::create(frame.get(), CNewFileSelector::kSelectFile), nullptr);
    EXPECT_EQ(CNewFileSelector::create(nullptr, CNewFileSelector::kSelectFile), nullptr);
    ScriptedRunner runner;
    runner.installed = {"kdialog"};
    DesktopFileDialog dialog(runner);
    platform->setFileDialog(&dialog);
    auto selector = CNewFileSelector::create(frame.get(), CNewFileSelector::kSelectSaveFile);
    ASSERT_NE(selector, nullptr);
    EXPECT_EQ(selector->getRequest().mode, FileDialogRequest::Mode::SaveFile);
}

TEST(ProcessRunner, RunsAProgramAndCollectsItsOutput) {
    ProcessCommandRunner runner;
    EXPECT_TRUE(runner.canRun("sh"));
    EXPECT_FALSE(runner.canRun("orv-no-such-program"));
    const CommandOutcome done = runner.run({"sh", "-c", "printf '/tmp/a b.orv\\n'; exit 0"});
    EXPECT_TRUE(done.started);
    EXPECT_EQ(done.exitStatus, 0);
    EXPECT_EQ(done.standardOutput, "/tmp/a b.orv\n");
    EXPECT_EQ(runner.run({"sh", "-c", "exit 1"}).exitStatus, 1);
    EXPECT_FALSE(runner.run({"orv-no-such-program"}).started);
}

}  // namespace
}  // namespace orv::test
