#include "platform/settings_store.h"

#include "platform/file_io.h"

#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>

namespace orv {
namespace {

constexpr mode_t kValueFileMode = 0600;  // per-user settings

std::string userConfigFolder() {
    if (const char* xdg = std::getenv("XDG_CONFIG_HOME"); xdg && xdg[0] == '/') return xdg;
    if (const char* home = std::getenv("HOME"); home && home[0] == '/') return std::string(home) + "/.config";
    if (const passwd* entry = ::getpwuid(::getuid()); entry && entry->pw_dir) {
        return std::string(entry->pw_dir) + "/.config";
    }
    return "/tmp";
}

bool isFolder(const std::string& path) {
    struct stat info {};
    return ::stat(path.c_str(), &info) == 0 && S_ISDIR(info.st_mode);
}

}  // namespace

bool isValidSettingsName(std::string_view name) noexcept {
    return !name.empty() && name.size() <= 255 && name.front() != '.' &&
           name.find('/') == std::string_view::npos && name.find('\0') == std::string_view::npos;
}

SettingsStore SettingsStore::forCurrentUser() {
    return SettingsStore(userConfigFolder() + "/Orvmark/Orvbrivo");
}

std::optional<std::string> SettingsStore::keyFolder(std::string_view subkey) const {
    if (subkey.empty()) return root_;
    if (!isValidSettingsName(subkey)) return std::nullopt;
    return root_ + "/" + std::string(subkey);
}

std::optional<SettingsKey> SettingsStore::openKey(std::string_view subkey) const {
    auto folder = keyFolder(subkey);
    if (!folder || !isFolder(*folder)) return std::nullopt;
    return SettingsKey(std::move(*folder));
}

std::optional<SettingsKey> SettingsStore::createKey(std::string_view subkey) const {
    auto folder = keyFolder(subkey);
    if (!folder) return std::nullopt;
    std::error_code error;
    std::filesystem::create_directories(*folder, error);
    if (!isFolder(*folder)) return std::nullopt;
    return SettingsKey(std::move(*folder));
}

std::optional<std::string> SettingsKey::valuePath(std::string_view name) const {
    if (!isValidSettingsName(name)) return std::nullopt;
    return folder_ + "/" + std::string(name);
}

std::optional<size_t> SettingsKey::query(std::string_view name, std::span<uint8_t> out) const {
    std::fill(out.begin(), out.end(), uint8_t{0});
    const auto path = valuePath(name);
    if (!path) return std::nullopt;
    const FileRead read = readFile(*path, out);
    if (read.status == ReadStatus::Read) return read.size;
    std::fill(out.begin(), out.end(), uint8_t{0});
    return std::nullopt;
}

std::optional<uint32_t> SettingsKey::queryDword(std::string_view name) const {
    uint8_t bytes[4];
    if (query(name, bytes) != sizeof bytes) return std::nullopt;
    uint32_t value = 0;
    std::memcpy(&value, bytes, sizeof value);
    return value;
}

bool SettingsKey::queryText(std::string_view name, std::span<char> out) const {
    if (out.size() < kMaxTextBytes + 1) return false;
    std::fill(out.begin(), out.end(), '\0');
    const std::span<uint8_t> bytes(reinterpret_cast<uint8_t*>(out.data()), kMaxTextBytes);
    query(name, bytes);  // an absent or longer value leaves the text empty
    return true;
}

bool SettingsKey::set(std::string_view name, std::span<const uint8_t> bytes) const {
    const auto path = valuePath(name);
    return path && writeFileAtomically(*path, bytes, kValueFileMode);
}

bool SettingsKey::setDword(std::string_view name, uint32_t value) const {
    uint8_t bytes[4];
    std::memcpy(bytes, &value, sizeof bytes);
    return set(name, bytes);
}

bool SettingsKey::setText(std::string_view name, std::string_view text) const {
    return set(name, std::span(reinterpret_cast<const uint8_t*>(text.data()), text.size()));
}

bool SettingsKey::remove(std::string_view name) const {
    const auto path = valuePath(name);
    if (!path) return false;
    return ::unlink(path->c_str()) == 0 || errno == ENOENT;
}

}  // namespace orv
