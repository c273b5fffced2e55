// The editor object's preset side: images, file dialogs and the per-user stores.
#include "editor/editor.h"
#include "presets/factory_programs.h"
#include "presets/metering_preferences.h"
#include "recording_effect.h"
#include "tests/platform/temporary_folder.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <memory>
#include <unistd.h>

namespace orv {
namespace {

using testing::RecordingEffect;
using testing::TemporaryFolder;

// Answers the file selector with prepared paths and remembers the request.
class StandInDialogs : public PresetFileDialogs {
public:
    bool windowOpen() const override { return open; }
    std::vector<std::string> choose(const FileSelectorRequest& request) override {
        titles.push_back(request.title);
        initialFolders.push_back(request.initialFolder);
        defaultNames.push_back(request.defaultName ? request.defaultName : "<none>");
        return answer;
    }
    void redrawWindow() override { ++redraws; }

    bool open = true;
    std::vector<std::string> answer;
    // Copied when asked: the request points into buffers that the choice then changes.
    std::vector<std::string> titles;
    std::vector<std::string> initialFolders;
    std::vector<std::string> defaultNames;
    int redraws = 0;
};

std::vector<uint8_t> fileBytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

void writeFile(const std::string& path, std::span<const uint8_t> bytes) {
    std::ofstream(path, std::ios::binary).write(reinterpret_cast<const char*>(bytes.data()),
                                                static_cast<std::streamsize>(bytes.size()));
}

// One instance: a program store and its editor object, with the store in a temporary folder.
struct Instance {
    explicit Instance(const std::string& root)
        : effect(std::make_unique<RecordingEffect>()), editor(new Editor(effect.get(), SettingsStore(root))) {}

    std::unique_ptr<RecordingEffect> effect;  // owns the editor through the adapter
    Editor* editor;
};

class PresetEditor : public ::testing::Test {
protected:
    TemporaryFolder temporary;
    std::string root = temporary / "config/Orvmark/Orvbrivo";
    Instance instance{root};
    RecordingEffect& effect = *instance.effect;
    Editor& editor = *instance.editor;
    StandInDialogs dialogs;

    void SetUp() override { editor.setFileDialogs(&dialogs); }

    ProgramRecord distinctProgram(const char* name) {
        ProgramRecord record{};
        setRecordName(record.name, name);
        for (int32_t i = 0; i < kNumParams; ++i) record.values[i] = 1.0f / static_cast<float>(i + 3);
        return record;
    }

    bool currentIs(const ProgramRecord& record) {
        const ProgramRecord current = effect.program(effect.getCurrentProgramIndex());
        return std::memcmp(&current, &record, sizeof record) == 0;
    }

    void chooseFile(const std::string& path) { dialogs.answer = {path}; }
};

TEST_F(PresetEditor, RectangleAndWindowlessState) {
    vst::ERect* rect = nullptr;
    ASSERT_TRUE(editor.getRect(&rect));
    EXPECT_EQ(rect->top, 0);
    EXPECT_EQ(rect->left, 0);
    EXPECT_EQ(rect->bottom, 462);
    EXPECT_EQ(rect->right, 524);
    EXPECT_FALSE(editor.open(nullptr));
    EXPECT_EQ(effect.getEditor(), &editor);
    EXPECT_TRUE(effect.getAeffect()->flags & vst::effFlagsHasEditor);
    editor.setLatency(287);
    EXPECT_EQ(editor.latency(), 287);
    editor.setParameter(Release, 0.3f);
    editor.setParameter(-1, 0.3f);
    editor.setParameter(kNumParams, 0.3f);
    EXPECT_EQ(editor.parameterValue(Release), 0.3f);
}

TEST_F(PresetEditor, CurrentDirectoryStartsAsTheProcessDirectory) {
    char cwd[4096];
    ASSERT_NE(::getcwd(cwd, sizeof cwd), nullptr);
    EXPECT_STREQ(editor.currentDirectory(), cwd);
    EXPECT_STREQ(editor.currentPresetFile(), "");
    EXPECT_STREQ(editor.currentBankFile(), "");
}

TEST_F(PresetEditor, PresetSavedAndLoadedRestoresTheProgramBitForBit) {
    effect.selectProgram(5);
    const ProgramRecord saved = distinctProgram("Exactly twenty-four char");
    effect.storeProgram(5, saved);
    chooseFile(temporary / "My.orv");
    editor.savePresetFile();
    EXPECT_EQ(fileBytes(temporary / "My.orv").size(), kPresetImageSize);
    EXPECT_EQ(dialogs.defaultNames.front(), "");

    effect.installFactoryPresets();
    editor.loadPresetFile(false);
    EXPECT_EQ(dialogs.defaultNames.back(), "<none>");
    EXPECT_TRUE(currentIs(saved));
    EXPECT_EQ(effect.getCurrentProgramIndex(), 5);
    EXPECT_STREQ(terminatedName(effect.program(4).name).data(), kFactoryPrograms[4].name);
    EXPECT_EQ(dialogs.titles, (std::vector<std::string>{"Save preset", "Load preset"}));
    EXPECT_EQ(dialogs.redraws, 1);
}

TEST_F(PresetEditor, BigEndianPresetLoadsPlainAndRawWithTheReversedOption) {
    const ProgramRecord record = distinctProgram("Big");
    std::array<uint8_t, kPresetImageSize> image{};
    encodePresetImage(record, effect.getPresetId(), image);
    std::reverse(image.begin(), image.begin() + 4);
    for (size_t v = 0; v < 26; ++v) std::reverse(image.begin() + 29 + 4 * v, image.begin() + 33 + 4 * v);
    writeFile(temporary / "big.orv", image);
    chooseFile(temporary / "big.orv");

    editor.loadPresetFile(false);
    EXPECT_TRUE(currentIs(record));

    editor.loadPresetFile(true);
    const ProgramRecord raw = effect.program(0);
    for (size_t v = 0; v < 26; ++v) EXPECT_EQ(std::memcmp(&raw.values[v], &image[29 + 4 * v], 4), 0) << v;
    EXPECT_EQ(dialogs.titles.back(), "Load preset (endian-reversed)");
}

TEST_F(PresetEditor, BankAsPresetAndPresetAsBankAreRejected) {
    std::array<uint8_t, kBankImageSize> bank{};
    editor.buildBankImage(bank);
    writeFile(temporary / "a.ovb", bank);
    std::array<uint8_t, kPresetImageSize> preset{};
    encodePresetImage(distinctProgram("Intruder"), effect.getPresetId(), preset);
    writeFile(temporary / "a.orv", preset);
    effect.selectProgram(9);
    const ProgramBank before = effect.bank();

    chooseFile(temporary / "a.ovb");
    editor.loadPresetFile(false);
    chooseFile(temporary / "a.orv");
    editor.loadBankFile(false);
    EXPECT_EQ(std::memcmp(effect.bank().data(), before.data(), sizeof before), 0);
    EXPECT_EQ(effect.getCurrentProgramIndex(), 0) << "a bank load makes program 0 current even when rejected";
}

TEST_F(PresetEditor, BankSavedAndLoadedInBothOrders) {
    effect.storeProgram(17, distinctProgram("Seventeen"));
    const ProgramBank saved = effect.bank();
    chooseFile(temporary / "set.ovb");
    editor.saveBankFile();
    effect.installFactoryPresets();
    effect.selectProgram(3);
    editor.loadBankFile(false);
    EXPECT_EQ(std::memcmp(effect.bank().data(), saved.data(), sizeof saved), 0);
    EXPECT_EQ(effect.getCurrentProgramIndex(), 0);
    EXPECT_STREQ(editor.currentBankFile(), "set.ovb");
}

TEST_F(PresetEditor, MissingOrShortFilesLoadAsFarAsTheyGo) {
    std::array<uint8_t, kPresetImageSize> image{};
    encodePresetImage(distinctProgram("Short"), effect.getPresetId(), image);
    writeFile(temporary / "short.orv", std::span(image.data(), 29 + 8));  // two values
    chooseFile(temporary / "short.orv");
    editor.loadPresetFile(false);
    const ProgramRecord loaded = effect.program(0);
    EXPECT_STREQ(terminatedName(loaded.name).data(), "Short");
    EXPECT_EQ(loaded.values[1], 1.0f / 4.0f);
    EXPECT_EQ(loaded.values[2], 0.0f);

    const ProgramRecord before = effect.program(0);
    chooseFile(temporary / "absent.orv");
    editor.loadPresetFile(false);
    EXPECT_TRUE(currentIs(before));
    EXPECT_STREQ(editor.currentPresetFile(), "absent.orv");
}

TEST_F(PresetEditor, ReadOnlyPresetLoads) {
    std::array<uint8_t, kPresetImageSize> image{};
    encodePresetImage(distinctProgram("Locked"), effect.getPresetId(), image);
    writeFile(temporary / "locked.orv", image);
    std::filesystem::permissions(temporary / "locked.orv", std::filesystem::perms::owner_read);
    chooseFile(temporary / "locked.orv");
    editor.loadPresetFile(false);
    EXPECT_TRUE(currentIs(distinctProgram("Locked")));
}

TEST_F(PresetEditor, AChoiceSetsFolderAndNameButNotTheProcessDirectory) {
    std::filesystem::create_directories(temporary / "Presets");
    char before[4096];
    ASSERT_NE(::getcwd(before, sizeof before), nullptr);
    chooseFile(temporary / "Presets/My.orv");
    editor.loadPresetFile(false);
    EXPECT_EQ(std::string(editor.currentDirectory()), temporary / "Presets/");
    EXPECT_STREQ(editor.currentPresetFile(), "My.orv");
    char after[4096];
    ASSERT_NE(::getcwd(after, sizeof after), nullptr);
    EXPECT_STREQ(after, before);
    EXPECT_EQ(dialogs.initialFolders.front(), std::string(before));
}

TEST_F(PresetEditor, NoChoiceOrAClosedWindowChangesNothing) {
    struct Case {
        const char* what;
        bool open;
        std::vector<std::string> answer;
    };
    const Case cases[] = {
        {"cancelled", true, {}},
        {"two files", true, {temporary / "a.orv", temporary / "b.orv"}},
        {"window closed", false, {temporary / "a.orv"}},
        {"name too long", true, {temporary.path() + "/" + std::string(257, 'n')}},
        {"folder too long", true, {std::string(300, '/') + "x.orv"}},
    };
    const std::string folder = editor.currentDirectory();
    for (const Case& c : cases) {
        dialogs.open = c.open;
        dialogs.answer = c.answer;
        editor.loadPresetFile(false);
        editor.savePresetFile();
        editor.loadBankFile(false);
        editor.saveBankFile();
        EXPECT_EQ(editor.currentDirectory(), folder) << c.what;
        EXPECT_STREQ(editor.currentPresetFile(), "") << c.what;
        EXPECT_EQ(effect.getCurrentProgramIndex(), 0);
        EXPECT_EQ(dialogs.redraws, 0) << c.what;
    }
    EXPECT_FALSE(std::filesystem::exists(temporary / "a.orv"));
}

TEST(SplitSelectedPath, SplitsAtTheLastSlashAndNeverOverflows) {
    struct Case {
        std::string path;
        bool split;
        const char* folder;
        const char* name;
    };
    const std::string longName(256, 'n');
    const std::string longFolder = "/" + std::string(255, 'f');  // with its slash: 257 characters
    const Case cases[] = {
        {"/home/me/Presets/My.orv", true, "/home/me/Presets/", "My.orv"},
        {"/My.orv", true, "/", "My.orv"},
        {"/dir/", true, "/dir/", ""},
        {"no-folder.orv", false, "old/", "old"},
        {"/" + longName, true, "/", longName.c_str()},
        {"/" + longName + "x", false, "old/", "old"},
        {longFolder + "/x", false, "old/", "old"},
    };
    for (const Case& c : cases) {
        LocationBuffer name = "old";
        LocationBuffer folder = "old/";
        EXPECT_EQ(splitSelectedPath(c.path.c_str(), name, folder), c.split) << c.path;
        EXPECT_STREQ(folder, c.folder) << c.path;
        EXPECT_STREQ(name, c.name) << c.path;
    }
}

TEST_F(PresetEditor, MemoStoreAndRecallRestoreTheCurrentProgram) {
    effect.selectProgram(7);
    const ProgramRecord memo = distinctProgram("Memo");
    effect.storeProgram(7, memo);
    editor.storeMemoA();
    effect.installFactoryPresets();
    effect.selectProgram(7);
    editor.recallMemoA();
    EXPECT_TRUE(currentIs(memo));
    EXPECT_EQ(effect.getCurrentProgramIndex(), 7);
    EXPECT_EQ(fileBytes(root + "/MemoA").size(), kPresetImageSize);
}

TEST_F(PresetEditor, MemoHoldingABankOrNothingIsRejected) {
    std::array<uint8_t, kBankImageSize> bank{};
    editor.buildBankImage(bank);
    ASSERT_TRUE(SettingsStore(root).createKey()->set("MemoB", bank));
    const ProgramRecord before = effect.program(0);
    editor.recallMemoB();
    editor.recallMemoA();
    EXPECT_TRUE(currentIs(before));
}

TEST_F(PresetEditor, DefaultBankStoredAndClearedDecidesWhatANewInstanceStartsFrom) {
    effect.storeProgram(12, distinctProgram("Stored bank"));
    editor.storeDefaultBank();
    {
        Instance next(root);
        next.effect->restoreEditorPresetState();
        EXPECT_STREQ(terminatedName(next.effect->program(12).name).data(), "Stored bank");
    }
    editor.clearDefaultBank();
    Instance next(root);
    next.effect->restoreEditorPresetState();
    EXPECT_STREQ(terminatedName(next.effect->program(12).name).data(), kFactoryPrograms[12].name);
}

TEST_F(PresetEditor, DefaultPresetReplacesProgramZeroOfANewInstance) {
    effect.storeProgram(0, distinctProgram("Stored preset"));
    editor.storeDefaultPreset();
    Instance next(root);
    next.effect->restoreEditorPresetState();
    EXPECT_STREQ(terminatedName(next.effect->program(0).name).data(), "Stored preset");
    editor.clearDefaultPreset();
    EXPECT_FALSE(std::filesystem::exists(root + "/DefaultPreset"));
}

TEST_F(PresetEditor, FileLocationsAreWrittenWhenTheEditorEndsAndReadBack) {
    {
        Instance first(root);
        StandInDialogs local;
        local.answer = {temporary / "Banks/Set.ovb"};
        first.editor->setFileDialogs(&local);
        first.editor->loadBankFile(false);
    }
    char text[kMaxTextBytes + 1];
    SettingsStore(root).openKey()->queryText("CurrDir", text);
    EXPECT_EQ(std::string(text), temporary / "Banks/");

    Instance second(root);
    second.editor->loadFileLocations();
    EXPECT_EQ(std::string(second.editor->currentDirectory()), temporary / "Banks/");
    EXPECT_STREQ(second.editor->currentBankFile(), "Set.ovb");
    EXPECT_STREQ(second.editor->currentPresetFile(), "");
}

TEST(FileLocations, AbsentValuesLeaveTheBuffersEmpty) {
    TemporaryFolder temporary;
    Instance instance(temporary / "nothing");
    instance.editor->loadFileLocations();
    EXPECT_STREQ(instance.editor->currentDirectory(), "");
}

class MeteringPreferences : public PresetEditor {
protected:
    SettingsKey preferences() { return *SettingsStore(root).createKey(kPreferencesKey); }
};

TEST_F(MeteringPreferences, StoredIndicesBecomeStepCentresInProgramZero) {
    preferences().setDword("Metering_AttShow", 3);
    preferences().setDword("Metering_Scale", 2);
    loadMeteringPreferences(SettingsStore(root), effect);
    EXPECT_EQ(effect.getParameter(AttShow), 0.4375f);
    EXPECT_EQ(effect.program(0).values[AttShow], 0.4375f);
    EXPECT_EQ(effect.program(0).values[Scale], stepToValue(2, 3));
    EXPECT_EQ(effect.program(0).values[MeterType], kFactoryPrograms[0].values[MeterType]);
}

TEST_F(MeteringPreferences, IndexBeyondTheLastStepIsClampedAndOddSizesIgnored) {
    preferences().setDword("Metering_AttShow", 99);
    preferences().setDword("Metering_Type", 0xffffffffu);
    const uint8_t twoBytes[2] = {1, 0};
    preferences().set("Metering_Post", twoBytes);
    loadMeteringPreferences(SettingsStore(root), effect);
    EXPECT_EQ(effect.getParameter(AttShow), stepToValue(7, 8));
    EXPECT_EQ(effect.getParameter(MeterType), stepToValue(1, 2));
    EXPECT_EQ(effect.getParameter(PostMeter), kFactoryPrograms[0].values[PostMeter]);
}

TEST_F(MeteringPreferences, SavedFromTheParametersAndLoadedBack) {
    effect.setParameter(Scale, stepToValue(1, 3));
    effect.setParameter(AttShow, stepToValue(5, 8));
    effect.setParameter(MeterOvs, 1.0f);
    editor.saveMeteringPreferences();
    EXPECT_EQ(preferences().queryDword("Metering_Scale"), 1u);
    EXPECT_EQ(preferences().queryDword("Metering_AttShow"), 5u);
    EXPECT_EQ(preferences().queryDword("Metering_Recon"), 1u);
    EXPECT_EQ(preferences().queryDword("Metering_Post"), 0u);
}

TEST_F(MeteringPreferences, ADefaultPresetOverridesThemInProgramZero) {
    editor.storeDefaultPreset();  // factory program 0: AttShow 0.9375
    preferences().setDword("Metering_AttShow", 3);
    Instance next(root);
    loadMeteringPreferences(SettingsStore(root), *next.effect);
    EXPECT_EQ(next.effect->program(0).values[AttShow], 0.4375f);
    next.effect->restoreEditorPresetState();
    EXPECT_EQ(next.effect->program(0).values[AttShow], 0.9375f);
}

}  // namespace
}  // namespace orv
