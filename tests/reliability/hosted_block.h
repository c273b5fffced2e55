// What every reliability test shares: the module, a temporary per-user store, and one processing
// block with sentinel-filled outputs that tells whether every output sample was written and finite.
#pragma once

#include "host/vst_host.h"

#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <optional>
#include <random>
#include <string>
#include <vector>

namespace orv::testing {

inline const host::PluginModule& pluginModule() {
    static const host::PluginModule loaded(ORV_PLUGIN_PATH);
    return loaded;
}

// Points XDG_CONFIG_HOME at a fresh folder while it lives. Main thread only, before any thread
// that could read the environment starts.
class TemporarySettingsHome {
public:
    TemporarySettingsHome() {
        std::string pattern = (std::filesystem::temp_directory_path() / "orv-reliability-XXXXXX").string();
        if (::mkdtemp(pattern.data())) home_ = pattern;
        if (const char* previous = std::getenv("XDG_CONFIG_HOME")) previous_ = previous;
        ::setenv("XDG_CONFIG_HOME", home_.c_str(), 1);
    }
    ~TemporarySettingsHome() {
        if (previous_) ::setenv("XDG_CONFIG_HOME", previous_->c_str(), 1);
        else ::unsetenv("XDG_CONFIG_HOME");
        std::error_code ignored;
        std::filesystem::remove_all(home_, ignored);
    }
    TemporarySettingsHome(const TemporarySettingsHome&) = delete;
    TemporarySettingsHome& operator=(const TemporarySettingsHome&) = delete;

    bool valid() const { return !home_.empty(); }
    // The root folder the plug-in's store uses below this home.
    std::string storeRoot() const { return home_ + "/Orvmark/Orvbrivo"; }

private:
    std::string home_;
    std::optional<std::string> previous_;
};

// Quiet NaNs with a payload of their own, so an unwritten sample is told apart from a NaN the
// plug-in produced.
template <typename Sample>
Sample outputSentinel();
template <>
inline float outputSentinel<float>() {
    const uint32_t bits = 0x7fc0dead;
    float value;
    std::memcpy(&value, &bits, sizeof value);
    return value;
}
template <>
inline double outputSentinel<double>() {
    const uint64_t bits = 0x7ff80000deadbeefull;
    double value;
    std::memcpy(&value, &bits, sizeof value);
    return value;
}

template <typename Sample>
bool isSentinel(Sample value) {
    const Sample sentinel = outputSentinel<Sample>();
    return std::memcmp(&value, &sentinel, sizeof value) == 0;
}

struct BlockResult {
    int64_t unwritten = 0;  // output samples still holding the sentinel
    int64_t nonFinite = 0;  // written samples that are NaN or infinite
};

// Buffers for blocks of up to maxFrames, reused by one thread.
class BlockRunner {
public:
    explicit BlockRunner(int32_t maxFrames, uint32_t seed = 1)
        : maxFrames_(maxFrames), random_(seed) {
        for (auto* channels : {&floatIn_, &floatOut_}) for (auto& c : *channels) c.resize(static_cast<size_t>(maxFrames));
        for (auto* channels : {&doubleIn_, &doubleOut_}) for (auto& c : *channels) c.resize(static_cast<size_t>(maxFrames));
    }

    // Hot noise (up to +12 dBFS) in, sentinels out, one call of the chosen entry.
    BlockResult run(const host::HostedPlugin& plugin, int32_t frames, bool doublePrecision) {
        return doublePrecision ? runWith(plugin, frames, doubleIn_, doubleOut_)
                               : runWith(plugin, frames, floatIn_, floatOut_);
    }

    int32_t randomFrames() { return std::uniform_int_distribution<int32_t>(1, maxFrames_)(random_); }
    bool randomPrecision() { return (random_() & 1u) != 0; }

private:
    template <typename Sample>
    BlockResult runWith(const host::HostedPlugin& plugin, int32_t frames, std::vector<Sample> (&in)[2],
                        std::vector<Sample> (&out)[2]) {
        std::uniform_real_distribution<double> level(-4.0, 4.0);
        for (int c = 0; c < 2; ++c) {
            for (int32_t i = 0; i < frames; ++i) {
                in[c][static_cast<size_t>(i)] = static_cast<Sample>(level(random_));
                out[c][static_cast<size_t>(i)] = outputSentinel<Sample>();
            }
        }
        Sample* inputs[2] = {in[0].data(), in[1].data()};
        Sample* outputs[2] = {out[0].data(), out[1].data()};
        plugin.process(inputs, outputs, frames);
        BlockResult result;
        for (int c = 0; c < 2; ++c) {
            for (int32_t i = 0; i < frames; ++i) {
                const Sample s = out[c][static_cast<size_t>(i)];
                if (isSentinel(s)) ++result.unwritten;
                else if (!std::isfinite(s)) ++result.nonFinite;
            }
        }
        return result;
    }

    int32_t maxFrames_;
    std::mt19937 random_;
    std::vector<float> floatIn_[2], floatOut_[2];
    std::vector<double> doubleIn_[2], doubleOut_[2];
};

}  // namespace orv::testing
