// One plug-in instance hosted for an offline render, driven only through the VST 2.4 interface:
// the dispatcher, parameters, chunks, the private meter request and the processing entries.
//
// Threading: one thread owns a session and makes every call.
#pragma once

#include "engine/meter_snapshot.h"
#include "host/vst_host.h"

#include <cstdint>
#include <memory>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace orv::render {

// Points the per-user settings store at a fresh empty folder for as long as it lives, so an
// instance created meanwhile sees no stored defaults; restores the environment and removes the
// folder afterwards.
class PrivateSettingsFolder {
public:
    PrivateSettingsFolder();
    ~PrivateSettingsFolder();
    PrivateSettingsFolder(const PrivateSettingsFolder&) = delete;
    PrivateSettingsFolder& operator=(const PrivateSettingsFolder&) = delete;

private:
    std::string folder_;
    std::optional<std::string> previous_;
};

class PluginSession {
public:
    // Loads the module, creates the instance (with a private settings store unless
    // `userSettings`) and sets the sample rate and block size before anything else.
    // Throws RenderError.
    PluginSession(const std::string& modulePath, double sampleRate, int32_t blockSize, bool userSettings);
    ~PluginSession();
    PluginSession(const PluginSession&) = delete;
    PluginSession& operator=(const PluginSession&) = delete;

    // The chunk of all programs as the plug-in gives it (effGetChunk).
    std::vector<uint8_t> chunk() const;
    // Loads a chunk (effSetChunk); throws RenderError when the plug-in refuses it.
    void setChunk(std::span<const uint8_t> bytes) const;
    int32_t presetId() const;

    // effGetProgramNameIndexed for 0..23.
    std::string programName(int32_t index) const;

    std::string parameterName(int32_t index) const;
    std::string parameterDisplay(int32_t index) const;
    std::string parameterLabel(int32_t index) const;
    float parameter(int32_t index) const;
    void setParameter(int32_t index, float value) const;
    int32_t numParameters() const;

    int32_t latency() const;
    // The meter values since the last request; nullopt when the plug-in does not answer.
    std::optional<MeterSnapshot> meterSnapshot() const;

    // Mains on, start of processing / end of processing, mains off.
    void start() const;
    void stop() const;
    void process(float** inputs, float** outputs, int32_t frames) const;
    void process(double** inputs, double** outputs, int32_t frames) const;

private:
    std::unique_ptr<PrivateSettingsFolder> settings_;
    std::unique_ptr<host::PluginModule> module_;
    std::unique_ptr<host::HostedPlugin> plugin_;
    int32_t blockSize_;
};

// Where the plug-in module is looked for by default: beside the running program.
std::string defaultModulePath();

}  // namespace orv::render
