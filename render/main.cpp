// orvbrivo-render: masters audio files from the command line through the plug-in module, hosted
// through its VST 2.4 interface as a DAW hosts it.
#include "render/options.h"
#include "render/render_command.h"
#include "render/render_error.h"

#include <cstdio>
#include <exception>
#include <span>

int main(int argc, char** argv) {
    using namespace orv::render;
    try {
        const Options options = parseArguments(std::span<const char* const>(argv + 1, static_cast<size_t>(argc - 1)));
        installInterruptHandlers();
        return runCommand(options);
    } catch (const RenderError& error) {
        std::fprintf(stderr, "orvbrivo-render: %s\n", error.what());
    } catch (const std::exception& error) {
        std::fprintf(stderr, "orvbrivo-render: %s\n", error.what());
    }
    return 1;
}
