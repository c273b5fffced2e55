// The per-user settings store: keys as folders, values as files, limits and atomic replacement.
#include "platform/file_io.h"
#include "platform/settings_store.h"
#include "temporary_folder.h"

#include <gtest/gtest.h>

#include <csignal>
#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

namespace orv {
namespace {

using testing::TemporaryFolder;

std::vector<uint8_t> bytesOf(const std::string& text) { return {text.begin(), text.end()}; }

std::vector<uint8_t> fileBytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

void writeRaw(const std::string& path, const std::vector<uint8_t>& bytes) {
    std::ofstream(path, std::ios::binary).write(reinterpret_cast<const char*>(bytes.data()),
                                                static_cast<std::streamsize>(bytes.size()));
}

size_t entriesIn(const std::string& folder) {
    size_t count = 0;
    for ([[maybe_unused]] const auto& entry : std::filesystem::directory_iterator(folder)) ++count;
    return count;
}

class SettingsStoreTest : public ::testing::Test {
protected:
    TemporaryFolder temporary;
    SettingsStore store{temporary / "Orvmark/Orvbrivo"};

    SettingsKey mainKey() const { return *store.createKey(); }
};

TEST_F(SettingsStoreTest, KeysAreFoldersThatExistOnlyOnceCreated) {
    EXPECT_FALSE(store.openKey().has_value());
    EXPECT_FALSE(store.openKey("PREFS").has_value());
    ASSERT_TRUE(store.createKey("PREFS").has_value());
    EXPECT_TRUE(std::filesystem::is_directory(store.root() + "/PREFS"));
    EXPECT_TRUE(store.openKey().has_value());
    EXPECT_TRUE(store.openKey("PREFS").has_value());
}

TEST_F(SettingsStoreTest, BinaryValueIsOneFileByteForByte) {
    const std::vector<uint8_t> value = {0, 1, 2, 0xff, 0, 0x21};
    ASSERT_TRUE(mainKey().set("MemoA", value));
    EXPECT_EQ(fileBytes(store.root() + "/MemoA"), value);

    std::vector<uint8_t> out(10, 0xaa);
    EXPECT_EQ(mainKey().query("MemoA", out), value.size());
    EXPECT_TRUE(std::equal(value.begin(), value.end(), out.begin()));
    EXPECT_TRUE(std::all_of(out.begin() + 6, out.end(), [](uint8_t b) { return b == 0; }));
}

TEST_F(SettingsStoreTest, ValueLongerThanTheLimitOrAbsentReadsAsNothing) {
    ASSERT_TRUE(mainKey().set("DefaultPreset", std::vector<uint8_t>(134, 7)));
    std::vector<uint8_t> out(133, 0xaa);
    EXPECT_FALSE(mainKey().query("DefaultPreset", out).has_value());
    EXPECT_TRUE(std::all_of(out.begin(), out.end(), [](uint8_t b) { return b == 0; }));

    std::fill(out.begin(), out.end(), 0xaa);
    EXPECT_FALSE(mainKey().query("MemoB", out).has_value());
    EXPECT_TRUE(std::all_of(out.begin(), out.end(), [](uint8_t b) { return b == 0; }));
}

TEST_F(SettingsStoreTest, DwordIsExactlyFourBytes) {
    const SettingsKey key = *store.createKey("PREFS");
    ASSERT_TRUE(key.setDword("Metering_AttShow", 0x01020304u));
    EXPECT_EQ(fileBytes(key.folder() + "/Metering_AttShow").size(), 4u);
    EXPECT_EQ(key.queryDword("Metering_AttShow"), 0x01020304u);

    for (size_t size : {0u, 3u, 5u}) {
        ASSERT_TRUE(key.set("Metering_Post", std::vector<uint8_t>(size, 1)));
        EXPECT_FALSE(key.queryDword("Metering_Post").has_value()) << size << " bytes";
    }
    EXPECT_FALSE(key.queryDword("Metering_Zoom").has_value());
}

TEST_F(SettingsStoreTest, TextOfAtMost256BytesElseEmpty) {
    struct Case {
        std::string stored;
        std::string read;
    };
    const std::string longest(256, 'd');
    const Case cases[] = {
        {"/home/user/presets/", "/home/user/presets/"},
        {"", ""},
        {"Grüße.orv", "Grüße.orv"},
        {longest, longest},
        {longest + "x", ""},
        {std::string("cut\0here", 8), "cut"},
    };
    for (const Case& c : cases) {
        ASSERT_TRUE(mainKey().setText("CurrDir", c.stored));
        char out[kMaxTextBytes + 1];
        std::memset(out, 'z', sizeof out);
        ASSERT_TRUE(mainKey().queryText("CurrDir", out));
        EXPECT_EQ(std::string(out), c.read) << c.stored.size() << " bytes stored";
    }
    char small[16];
    EXPECT_FALSE(mainKey().queryText("CurrDir", small));
}

TEST_F(SettingsStoreTest, NamesThatWouldLeaveTheKeyOrHitTemporaryFilesAreRefused) {
    const std::vector<uint8_t> value = {1};
    for (const char* name : {".", "..", ".MemoA.tmp", "a/b", "../MemoA"}) {
        EXPECT_FALSE(mainKey().set(name, value)) << name;
        EXPECT_FALSE(store.createKey(name).has_value()) << name;
    }
    EXPECT_FALSE(mainKey().set("", value));
    EXPECT_EQ(entriesIn(store.root()), 0u);
}

TEST_F(SettingsStoreTest, RemoveDeletesAndAbsentCountsAsRemoved) {
    ASSERT_TRUE(mainKey().set("DefaultBank", std::vector<uint8_t>(3077, 1)));
    EXPECT_TRUE(mainKey().remove("DefaultBank"));
    EXPECT_FALSE(std::filesystem::exists(store.root() + "/DefaultBank"));
    EXPECT_TRUE(mainKey().remove("DefaultBank"));
}

TEST_F(SettingsStoreTest, WriteThatCannotReplaceLeavesNoTemporaryFile) {
    // A folder of the value's name cannot be replaced by a file.
    std::filesystem::create_directories(store.root() + "/MemoA/inside");
    EXPECT_FALSE(mainKey().set("MemoA", std::vector<uint8_t>(133, 1)));
    EXPECT_TRUE(std::filesystem::is_directory(store.root() + "/MemoA/inside"));
    EXPECT_EQ(entriesIn(store.root()), 1u);
}

TEST_F(SettingsStoreTest, WriteFailingHalfWayKeepsThePreviousValue) {
    const std::vector<uint8_t> previous(133, 0x11);
    ASSERT_TRUE(mainKey().set("DefaultPreset", previous));
    const pid_t child = ::fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        // The file size limit makes the write fail after 64 of its 3077 bytes.
        std::signal(SIGXFSZ, SIG_IGN);
        const rlimit limit{64, 64};
        ::setrlimit(RLIMIT_FSIZE, &limit);
        const bool written = mainKey().set("DefaultPreset", std::vector<uint8_t>(3077, 0x22));
        ::_exit(written ? 1 : 0);
    }
    int status = 0;
    ASSERT_EQ(::waitpid(child, &status, 0), child);
    ASSERT_TRUE(WIFEXITED(status));
    EXPECT_EQ(WEXITSTATUS(status), 0) << "the write must report failure";
    EXPECT_EQ(fileBytes(store.root() + "/DefaultPreset"), previous);
    EXPECT_EQ(entriesIn(store.root()), 1u);
}

TEST_F(SettingsStoreTest, ReplacingKeepsPermissionsOfTheExistingFile) {
    ASSERT_TRUE(mainKey().set("MemoA", std::vector<uint8_t>(4, 1)));
    EXPECT_EQ(std::filesystem::status(store.root() + "/MemoA").permissions(),
              std::filesystem::perms::owner_read | std::filesystem::perms::owner_write);
    ::chmod((store.root() + "/MemoA").c_str(), 0640);
    ASSERT_TRUE(mainKey().set("MemoA", std::vector<uint8_t>(4, 2)));
    struct stat info {};
    ASSERT_EQ(::stat((store.root() + "/MemoA").c_str(), &info), 0);
    EXPECT_EQ(info.st_mode & 07777, 0640u);
}

TEST_F(SettingsStoreTest, TwoProcessesWritingOneValueLeaveOneWholeValue) {
    constexpr int kWrites = 300;
    ASSERT_TRUE(mainKey().set("DefaultBank", std::vector<uint8_t>(3077, 'A')));
    pid_t writers[2];
    for (int w = 0; w < 2; ++w) {
        writers[w] = ::fork();
        ASSERT_GE(writers[w], 0);
        if (writers[w] == 0) {
            const std::vector<uint8_t> mine(3077, static_cast<uint8_t>('A' + w));
            bool all = true;
            for (int i = 0; i < kWrites; ++i) all = mainKey().set("DefaultBank", mine) && all;
            ::_exit(all ? 0 : 1);
        }
    }
    // Read while both write: every read sees one writer's value whole.
    int exitStatus[2] = {-1, -1};
    int reads = 0;
    while (exitStatus[0] < 0 || exitStatus[1] < 0) {
        std::vector<uint8_t> out(3077);
        const auto size = mainKey().query("DefaultBank", out);
        ASSERT_EQ(size, 3077u);
        ASSERT_TRUE(std::all_of(out.begin(), out.end(), [&](uint8_t b) { return b == out[0]; }));
        ASSERT_TRUE(out[0] == 'A' || out[0] == 'B');
        ++reads;
        for (int w = 0; w < 2; ++w) {
            int status = 0;
            if (exitStatus[w] < 0 && ::waitpid(writers[w], &status, WNOHANG) == writers[w]) {
                exitStatus[w] = WIFEXITED(status) ? WEXITSTATUS(status) : 99;
            }
        }
    }
    EXPECT_EQ(exitStatus[0], 0);
    EXPECT_EQ(exitStatus[1], 0);
    std::vector<uint8_t> out(3077);
    EXPECT_EQ(mainKey().query("DefaultBank", out), 3077u);
    EXPECT_TRUE(std::all_of(out.begin(), out.end(), [&](uint8_t b) { return b == out[0]; }));
    EXPECT_EQ(entriesIn(store.root()), 1u) << "no temporary file stays behind";
    EXPECT_GT(reads, 0);
}

class EnvironmentVariable {
public:
    EnvironmentVariable(const char* name, const char* value) : name_(name) {
        if (const char* old = std::getenv(name)) previous_ = old;
        if (value) ::setenv(name, value, 1); else ::unsetenv(name);
    }
    ~EnvironmentVariable() {
        if (previous_) ::setenv(name_, previous_->c_str(), 1); else ::unsetenv(name_);
    }

private:
    const char* name_;
    std::optional<std::string> previous_;
};

TEST(SettingsStoreLocation, FollowsXdgConfigHomeWhenAbsoluteElseHomeConfig) {
    {
        EnvironmentVariable xdg("XDG_CONFIG_HOME", "/tmp/orv-xdg");
        EXPECT_EQ(SettingsStore::forCurrentUser().root(), "/tmp/orv-xdg/Orvmark/Orvbrivo");
    }
    EnvironmentVariable home("HOME", "/tmp/orv-home");
    for (const char* ignored : {static_cast<const char*>(nullptr), "", "relative/config"}) {
        EnvironmentVariable xdg("XDG_CONFIG_HOME", ignored);
        EXPECT_EQ(SettingsStore::forCurrentUser().root(), "/tmp/orv-home/.config/Orvmark/Orvbrivo");
    }
}

TEST(FileRead, TellsShortFullAndLongerFiles) {
    TemporaryFolder temporary;
    struct Case {
        size_t fileSize;
        ReadStatus status;
        size_t read;
    };
    const Case cases[] = {{0, ReadStatus::Read, 0}, {5, ReadStatus::Read, 5}, {8, ReadStatus::Read, 8},
                          {9, ReadStatus::TooLong, 8}};
    for (const Case& c : cases) {
        writeRaw(temporary / "f", std::vector<uint8_t>(c.fileSize, 3));
        uint8_t out[8] = {};
        const FileRead result = readFile(temporary / "f", out);
        EXPECT_EQ(result.status, c.status) << c.fileSize;
        EXPECT_EQ(result.size, c.read) << c.fileSize;
    }
    uint8_t out[8];
    EXPECT_EQ(readFile(temporary / "absent", out).status, ReadStatus::Missing);
    EXPECT_EQ(readFile(temporary.path(), out).status, ReadStatus::Missing);
}

TEST(FileRead, ReadOnlyFileIsRead) {
    TemporaryFolder temporary;
    writeRaw(temporary / "locked.orv", bytesOf("abc"));
    ::chmod((temporary / "locked.orv").c_str(), 0444);
    uint8_t out[3] = {};
    EXPECT_EQ(readFile(temporary / "locked.orv", out).status, ReadStatus::Read);
    EXPECT_EQ(std::memcmp(out, "abc", 3), 0);
}

}  // namespace
}  // namespace orv
