// Any text as the renderer's --set option: NAME=VALUE applied to a hosted instance made once, and
// the value parser for every parameter. A refusal is a RenderError; anything else it throws, and
// any value outside 0..1 it accepts, is a fault.
#include "render/render_error.h"
#include "render/settings.h"
#include "shell/parameters.h"

#include <memory>
#include <string>
#include <string_view>

namespace {

const orv::render::PluginSession& session() {
    static const auto instance =
        std::make_unique<orv::render::PluginSession>(ORV_FUZZ_PLUGIN_PATH, 44100.0, 64, false);
    return *instance;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    try {
        orv::render::applySetting(session(), text);
    } catch (const orv::render::RenderError&) {
    }
    for (int32_t index = 0; index < orv::kNumParams; ++index) {
        try {
            const float value = orv::render::parseParameterValue(index, text);
            if (!(value >= 0.0f && value <= 1.0f)) __builtin_trap();
        } catch (const orv::render::RenderError&) {
        }
    }
    return 0;
}
