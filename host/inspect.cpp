// orvbrivo-inspect MODULE: loads a VST 2.4 module as a host does and prints what the host sees.
#include "host/vst_host.h"

#include <cstdio>

using namespace orv::host;

namespace {

std::string fourCC(int32_t code) {
    const auto u = static_cast<uint32_t>(code);
    return {static_cast<char>(u >> 24), static_cast<char>(u >> 16), static_cast<char>(u >> 8), static_cast<char>(u)};
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: orvbrivo-inspect MODULE.so\n");
        return 2;
    }
    PluginModule module(argv[1]);
    if (!module.loaded()) {
        std::fprintf(stderr, "orvbrivo-inspect: %s\n", module.error().c_str());
        return 1;
    }
    auto plugin = HostedPlugin::create(module);
    if (!plugin) {
        std::fprintf(stderr, "orvbrivo-inspect: the module created no effect\n");
        return 1;
    }
    const vst::AEffect& e = *plugin->effect();
    std::printf("%s by %s: %s\n", plugin->text(vst::effGetEffectName).c_str(),
                plugin->text(vst::effGetVendorString).c_str(), plugin->text(vst::effGetProductString).c_str());
    std::printf("magic %s  id %s  version %d  VST %ld  category %ld\n", fourCC(e.magic).c_str(),
                fourCC(e.uniqueID).c_str(), e.version, static_cast<long>(plugin->dispatch(vst::effGetVstVersion)),
                static_cast<long>(plugin->dispatch(vst::effGetPlugCategory)));
    std::printf("%d in / %d out, %d parameters, %d program(s), flags 0x%x, latency %d samples\n", e.numInputs,
                e.numOutputs, e.numParams, e.numPrograms, static_cast<unsigned>(e.flags), e.initialDelay);
    for (const float rate : {44100.0f, 96000.0f, 192000.0f}) {
        plugin->dispatch(vst::effSetSampleRate, 0, 0, nullptr, rate);
        std::printf("  at %.0f Hz the latency is %d samples\n", static_cast<double>(rate), plugin->effect()->initialDelay);
    }
    plugin->dispatch(vst::effSetSampleRate, 0, 0, nullptr, 44100.0f);
    std::printf("\n%-3s %-14s %-12s %-4s %s\n", "#", "parameter", "display", "unit", "value");
    for (int32_t i = 0; i < e.numParams; ++i) {
        std::printf("%-3d %-14s %-12s %-4s %.6f\n", i, plugin->text(vst::effGetParamName, i).c_str(),
                    plugin->text(vst::effGetParamDisplay, i).c_str(), plugin->text(vst::effGetParamLabel, i).c_str(),
                    static_cast<double>(plugin->getParameter(i)));
    }
    std::printf("\nprograms:");
    for (int32_t i = 0; i < 24; ++i) {
        char name[64] = {};
        if (!plugin->dispatch(vst::effGetProgramNameIndexed, i, 0, name, 0.0f)) break;
        std::printf("%s \"%s\"", i % 4 == 0 ? "\n " : "", name);
    }
    void* chunk = nullptr;
    std::printf("\nchunk: %ld bytes\n", static_cast<long>(plugin->dispatch(vst::effGetChunk, 0, 0, &chunk, 0.0f)));
    return 0;
}
