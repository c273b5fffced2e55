// The renderer's command line.
#pragma once

#include "render/audio_file.h"

#include <optional>
#include <span>
#include <string>
#include <vector>

namespace orv::render {

struct Options {
    std::string input;
    std::string output;
    bool demo = false;                     // --demo [OUT]: generated material instead of IN
    std::optional<SampleFormat> format;    // --format
    bool useDouble = false;                // --double: the 64-bit processing entry
    std::optional<std::string> program;    // --program NAME|INDEX
    std::optional<std::string> preset;     // --preset FILE.orv
    std::optional<std::string> bank;       // --bank FILE.ovb
    std::optional<std::string> chunkIn;    // --chunk-in FILE
    std::optional<std::string> chunkOut;   // --chunk-out FILE
    std::vector<std::string> settings;     // --set NAME=VALUE, in command-line order
    std::optional<std::string> json;       // --json FILE
    std::optional<std::string> plot;       // --plot FILE.png
    bool listPrograms = false;
    bool listParams = false;
    bool userSettings = false;             // --user-settings: the user's stored defaults
    bool help = false;
    std::string plugin;                    // --plugin FILE.so; empty: beside the program
};

// Throws RenderError with a one-line message for anything it cannot use.
Options parseArguments(std::span<const char* const> arguments);

std::string usageText();

}  // namespace orv::render
