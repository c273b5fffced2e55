// The settings a render asks for, applied to a hosted instance through its interface: programs,
// presets and banks go in as a chunk of all programs, single parameters through setParameter.
//
// Threading: the session's thread.
#pragma once

#include "render/plugin_session.h"

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace orv::render {

// Reads a whole small file; throws RenderError naming it.
std::vector<uint8_t> readFileBytes(const std::string& path);

// Loads a chunk file as it is.
void applyChunkFile(const PluginSession& session, const std::string& path);
// Loads the 24 programs of a bank file (.ovb), keeping the current program index.
void applyBankFile(const PluginSession& session, const std::string& path);
// Loads a preset file (.orv) into the current program.
void applyPresetFile(const PluginSession& session, const std::string& path);
// Makes a program current by its name (letter case ignored) or its index 0..23.
void selectProgram(const PluginSession& session, std::string_view nameOrIndex);

// The parameter index for a name as the plug-in gives it (letter case ignored); throws for an
// unknown or ambiguous name.
int32_t findParameter(const PluginSession& session, std::string_view name);

// The normalised value for a typed text of parameter `index`:
//   - a switch: one of its display words (letter case ignored);
//   - a knob with a readout: a number with the readout's unit ("+6dB", "200 ms", "50%"),
//     converted by the readout's text-to-value function, or "off" for the Leveller;
//   - any parameter: a plain number within 0..1, taken as the normalised value.
// Throws RenderError for anything else.
float parseParameterValue(int32_t index, std::string_view text);

// Applies one "NAME=VALUE" setting.
void applySetting(const PluginSession& session, std::string_view assignment);

}  // namespace orv::render
