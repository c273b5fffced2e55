// A small VST 2.4 host: loads a plug-in module, creates instances through its entry point with a
// callback that records every request, and drives them as a DAW does.
#pragma once

#include "shell/vst2.h"

#include <cstdint>
#include <functional>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

namespace orv::host {

using EntryPoint = vst::AEffect* (*)(vst::HostCallback);

// A loaded plug-in module; unloaded when destroyed.
class PluginModule {
public:
    explicit PluginModule(const std::string& path);
    ~PluginModule();
    PluginModule(const PluginModule&) = delete;
    PluginModule& operator=(const PluginModule&) = delete;

    bool loaded() const noexcept { return entry_ != nullptr; }
    const std::string& error() const noexcept { return error_; }
    EntryPoint entry() const noexcept { return entry_; }
    // Looks up any exported symbol (for tests of the export table).
    void* symbol(const char* name) const noexcept;

private:
    void* handle_ = nullptr;
    EntryPoint entry_ = nullptr;
    std::string error_;
};

struct HostRequest {
    int32_t opcode;
    int32_t index;
    intptr_t value;
    float opt;
};

// How the host answers the plug-in's requests.
struct HostAnswers {
    intptr_t version = vst::kVstVersion;  // answer to audioMasterVersion
    intptr_t pinConnected = 0;            // 0 means connected
    // Called with every request before it is answered, on the thread that sent it.
    std::function<void(int32_t opcode)> onRequest;
};

class HostedPlugin {
public:
    // Creates an instance; null when the entry point returns no effect.
    static std::unique_ptr<HostedPlugin> create(const PluginModule& module, HostAnswers answers = {});
    // Closes the instance with effClose.
    ~HostedPlugin();
    HostedPlugin(const HostedPlugin&) = delete;
    HostedPlugin& operator=(const HostedPlugin&) = delete;

    vst::AEffect* effect() const noexcept { return effect_; }
    intptr_t dispatch(int32_t opcode, int32_t index = 0, intptr_t value = 0, void* ptr = nullptr,
                      float opt = 0.0f) const;
    void setParameter(int32_t index, float value) const;
    float getParameter(int32_t index) const;
    void process(float** inputs, float** outputs, int32_t frames) const;
    void process(double** inputs, double** outputs, int32_t frames) const;

    // Text answers of the common string opcodes.
    std::string text(int32_t opcode, int32_t index = 0) const;

    // Every request the plug-in sent since creation or the last clear; any thread.
    std::vector<HostRequest> requests() const;
    size_t countRequests(int32_t opcode) const;
    void clearRequests();

    // Closes the instance now (effClose); the object stays as an empty shell.
    void close();

private:
    explicit HostedPlugin(HostAnswers answers) : answers_(answers) {}
    static intptr_t callback(vst::AEffect* effect, int32_t opcode, int32_t index, intptr_t value,
                             void* ptr, float opt);
    intptr_t answer(int32_t opcode, int32_t index, intptr_t value, float opt);

    HostAnswers answers_;
    vst::AEffect* effect_ = nullptr;
    mutable std::mutex requestsMutex_;
    std::vector<HostRequest> requests_;
};

}  // namespace orv::host
