// The per-user settings store: keys are folders, values are files, one file per value, below a
// root folder ($XDG_CONFIG_HOME/Orvmark/Orvbrivo by default). Shaped after a registry: open a key
// for reading, create or open one for writing, query a value with a size limit, set, delete.
//
// Threading: every operation opens, uses and closes its files by itself, so instances in one or
// several processes may use the same store without coordination. A write replaces the value's
// file atomically; a reader sees the old or the new value whole.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>

namespace orv {

inline constexpr size_t kMaxTextBytes = 256;  // text buffers hold this and a terminator

class SettingsKey {
public:
    // Reads the value into out when it holds at most out.size() bytes and returns its size; out
    // is left all zero and nullopt returned when the value is absent, unreadable or longer.
    std::optional<size_t> query(std::string_view name, std::span<uint8_t> out) const;
    // A 32-bit value: exactly four bytes in native order, anything else counts as absent.
    std::optional<uint32_t> queryDword(std::string_view name) const;
    // Text of at most kMaxTextBytes bytes (UTF-8) into out, which must hold kMaxTextBytes + 1;
    // it stops at a zero byte. An absent or longer value gives the empty text. Returns false for a
    // too small buffer.
    bool queryText(std::string_view name, std::span<char> out) const;

    bool set(std::string_view name, std::span<const uint8_t> bytes) const;
    bool setDword(std::string_view name, uint32_t value) const;
    bool setText(std::string_view name, std::string_view text) const;
    // True when the value is gone afterwards (also when it was never there).
    bool remove(std::string_view name) const;

    const std::string& folder() const noexcept { return folder_; }

private:
    friend class SettingsStore;
    explicit SettingsKey(std::string folder) : folder_(std::move(folder)) {}
    std::optional<std::string> valuePath(std::string_view name) const;

    std::string folder_;
};

class SettingsStore {
public:
    // `root` is the folder of the main key.
    explicit SettingsStore(std::string root) : root_(std::move(root)) {}
    // The store of the current user: $XDG_CONFIG_HOME (when absolute) or ~/.config, then
    // Orvmark/Orvbrivo.
    static SettingsStore forCurrentUser();

    // The main key (empty subkey) or a subkey of it, for queries; nullopt when it does not exist.
    std::optional<SettingsKey> openKey(std::string_view subkey = {}) const;
    // The main key or a subkey, created with its parent folders when missing, for writing.
    std::optional<SettingsKey> createKey(std::string_view subkey = {}) const;

    const std::string& root() const noexcept { return root_; }

private:
    std::optional<std::string> keyFolder(std::string_view subkey) const;

    std::string root_;
};

// Value and key names: non-empty, at most 255 bytes, no '/', no zero byte, not starting with '.'
// (the store keeps its temporary files under such names).
bool isValidSettingsName(std::string_view name) noexcept;

}  // namespace orv
