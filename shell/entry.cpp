// The library's only exported symbol, under the two names hosts look for.
#include "shell/plugin.h"

#include <new>

extern "C" __attribute__((visibility("default"))) vst::AEffect* VSTPluginMain(vst::HostCallback host) {
    if (!host || host(nullptr, vst::audioMasterVersion, 0, 0, nullptr, 0.0f) == 0) return nullptr;
    if (host(nullptr, vst::audioMasterVersion, 0, 0, nullptr, 0.0f) == 0) return nullptr;
    auto* plugin = new (std::nothrow) orv::Plugin(host);
    return plugin ? plugin->getAeffect() : nullptr;
}

// Older hosts call the entry point `main`; it is the same function at the same address.
extern "C" vst::AEffect* mainEntry(vst::HostCallback host) __asm__("main")
    __attribute__((alias("VSTPluginMain"), visibility("default")));
