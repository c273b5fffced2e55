#include "host/vst_host.h"

#include <dlfcn.h>

#include <algorithm>
#include <cstring>

namespace orv::host {
namespace {

// The instance being created: its requests arrive before the host knows its effect record.
thread_local HostedPlugin* creating = nullptr;

}  // namespace

PluginModule::PluginModule(const std::string& path) {
    handle_ = dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL);
    if (!handle_) {
        error_ = dlerror();
        return;
    }
    entry_ = reinterpret_cast<EntryPoint>(dlsym(handle_, "VSTPluginMain"));
    if (!entry_) entry_ = reinterpret_cast<EntryPoint>(dlsym(handle_, "main"));
    if (!entry_) error_ = path + ": no VST 2.4 entry point";
}

PluginModule::~PluginModule() {
    if (handle_) dlclose(handle_);
}

void* PluginModule::symbol(const char* name) const noexcept {
    return handle_ ? dlsym(handle_, name) : nullptr;
}

std::unique_ptr<HostedPlugin> HostedPlugin::create(const PluginModule& module, HostAnswers answers) {
    if (!module.loaded()) return nullptr;
    std::unique_ptr<HostedPlugin> hosted(new HostedPlugin(answers));
    creating = hosted.get();
    hosted->effect_ = module.entry()(&HostedPlugin::callback);
    creating = nullptr;
    if (!hosted->effect_ || hosted->effect_->magic != vst::kEffectMagic) return nullptr;
    hosted->effect_->user = hosted.get();
    return hosted;
}

HostedPlugin::~HostedPlugin() { close(); }

void HostedPlugin::close() {
    if (effect_) effect_->dispatcher(effect_, vst::effClose, 0, 0, nullptr, 0.0f);
    effect_ = nullptr;
}

intptr_t HostedPlugin::callback(vst::AEffect* effect, int32_t opcode, int32_t index, intptr_t value,
                                void*, float opt) {
    HostedPlugin* host = effect && effect->user ? static_cast<HostedPlugin*>(effect->user) : creating;
    return host ? host->answer(opcode, index, value, opt) : 0;
}

intptr_t HostedPlugin::answer(int32_t opcode, int32_t index, intptr_t value, float opt) {
    {
        std::lock_guard guard(requestsMutex_);
        requests_.push_back({opcode, index, value, opt});
    }
    if (answers_.onRequest) answers_.onRequest(opcode);
    switch (opcode) {
    case vst::audioMasterVersion: return answers_.version;
    case vst::audioMasterPinConnected: return answers_.pinConnected;
    default: return 0;
    }
}

intptr_t HostedPlugin::dispatch(int32_t opcode, int32_t index, intptr_t value, void* ptr, float opt) const {
    return effect_->dispatcher(effect_, opcode, index, value, ptr, opt);
}

void HostedPlugin::setParameter(int32_t index, float value) const { effect_->setParameter(effect_, index, value); }
float HostedPlugin::getParameter(int32_t index) const { return effect_->getParameter(effect_, index); }

void HostedPlugin::process(float** inputs, float** outputs, int32_t frames) const {
    effect_->processReplacing(effect_, inputs, outputs, frames);
}

void HostedPlugin::process(double** inputs, double** outputs, int32_t frames) const {
    effect_->processDoubleReplacing(effect_, inputs, outputs, frames);
}

std::string HostedPlugin::text(int32_t opcode, int32_t index) const {
    char buffer[256] = {};
    dispatch(opcode, index, 0, buffer, 0.0f);
    return std::string(buffer, strnlen(buffer, sizeof buffer));
}

std::vector<HostRequest> HostedPlugin::requests() const {
    std::lock_guard guard(requestsMutex_);
    return requests_;
}

size_t HostedPlugin::countRequests(int32_t opcode) const {
    std::lock_guard guard(requestsMutex_);
    return static_cast<size_t>(std::count_if(requests_.begin(), requests_.end(),
                                             [opcode](const HostRequest& r) { return r.opcode == opcode; }));
}

void HostedPlugin::clearRequests() {
    std::lock_guard guard(requestsMutex_);
    requests_.clear();
}

}  // namespace orv::host
