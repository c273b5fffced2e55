#include "render/settings.h"

#include "editor/readout_text.h"
#include "presets/program_images.h"
#include "render/render_error.h"
#include "shell/parameters.h"

#include <algorithm>
#include <charconv>
#include <cstdio>
#include <memory>

namespace orv::render {
namespace {

constexpr size_t kMaxSettingsFileBytes = 1 << 20;

char lower(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }

bool equalIgnoringCase(std::string_view a, std::string_view b) {
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
               return lower(x) == lower(y);
           });
}

std::string_view trimmed(std::string_view text) {
    const auto space = [](char c) { return c == ' ' || c == '\t'; };
    while (!text.empty() && space(text.front())) text.remove_prefix(1);
    while (!text.empty() && space(text.back())) text.remove_suffix(1);
    return text;
}

DecodedChunk currentPrograms(const PluginSession& session) {
    const std::vector<uint8_t> bytes = session.chunk();
    DecodedChunk decoded = decodeBankChunk(bytes, session.presetId());
    if (decoded.status != ChunkStatus::Loaded) throw RenderError("the plug-in's chunk could not be read");
    return decoded;
}

void loadPrograms(const PluginSession& session, const ProgramBank& programs, int32_t current) {
    std::array<uint8_t, kBankChunkSize> chunk{};
    encodeBankChunk(programs, session.presetId(), current, chunk);
    session.setChunk(chunk);
}

// A whole text as a number, or nullopt.
std::optional<double> wholeNumber(std::string_view text) {
    size_t consumed = 0;
    const std::string terminated(text);
    const double value = readLeadingNumber(terminated.c_str(), &consumed);
    if (consumed == 0 || consumed != terminated.size()) return std::nullopt;
    return value;
}

std::optional<float> switchWord(const ParameterInfo& info, std::string_view text) {
    for (int32_t step = 0; step < info.steps && step < 4; ++step)
        if (info.words[step] && equalIgnoringCase(text, info.words[step])) return stepToValue(step, info.steps);
    return std::nullopt;
}

std::optional<float> readoutValue(int32_t index, std::string_view text) {
    const ReadoutPair* readout = readoutFor(index);
    if (!readout) return std::nullopt;
    const std::string terminated(text);
    if (index == Leveller && equalIgnoringCase(text, "off")) {
        float value = 0.0f;
        readout->textToValue(terminated.c_str(), &value);
        return value;
    }
    size_t consumed = 0;
    readLeadingNumber(terminated.c_str(), &consumed);
    if (consumed == 0 || !equalIgnoringCase(trimmed(text.substr(consumed)), readout->unit)) return std::nullopt;
    float value = 0.0f;
    readout->textToValue(terminated.c_str(), &value);
    return value;
}

std::string describeAccepted(int32_t index) {
    const ParameterInfo& info = parameterInfo(index);
    std::string accepted = "a value within 0..1";
    if (const ReadoutPair* readout = readoutFor(index)) accepted += std::string(" or a number in ") + readout->unit;
    if (index == Leveller) accepted += " or off";
    for (int32_t step = 0; step < info.steps && step < 4; ++step)
        if (info.words[step]) accepted += std::string(step == 0 ? " or one of: \"" : ", \"") + info.words[step] + "\"";
    return accepted;
}

}  // namespace

std::vector<uint8_t> readFileBytes(const std::string& path) {
    std::unique_ptr<std::FILE, int (*)(std::FILE*)> file(std::fopen(path.c_str(), "rb"), &std::fclose);
    if (!file) throw RenderError(path + ": cannot open");
    std::vector<uint8_t> bytes;
    uint8_t buffer[4096];
    size_t got = 0;
    while ((got = std::fread(buffer, 1, sizeof buffer, file.get())) > 0) {
        bytes.insert(bytes.end(), buffer, buffer + got);
        if (bytes.size() > kMaxSettingsFileBytes) throw RenderError(path + ": too large for a settings file");
    }
    if (std::ferror(file.get())) throw RenderError(path + ": cannot read");
    return bytes;
}

void applyChunkFile(const PluginSession& session, const std::string& path) {
    const std::vector<uint8_t> bytes = readFileBytes(path);
    if (decodeBankChunk(bytes, session.presetId()).status != ChunkStatus::Loaded)
        throw RenderError(path + ": not a chunk of this plug-in");
    session.setChunk(bytes);
}

void applyBankFile(const PluginSession& session, const std::string& path) {
    const std::vector<uint8_t> bytes = readFileBytes(path);
    if (bytes.size() != kBankImageSize) throw RenderError(path + ": not a bank file (wrong size)");
    const std::optional<ProgramBank> programs = decodeBankImage(bytes, session.presetId(), false);
    if (!programs) throw RenderError(path + ": not a bank file of this plug-in");
    loadPrograms(session, *programs, currentPrograms(session).current);
}

void applyPresetFile(const PluginSession& session, const std::string& path) {
    const std::vector<uint8_t> bytes = readFileBytes(path);
    if (bytes.size() != kPresetImageSize) throw RenderError(path + ": not a preset file (wrong size)");
    const std::optional<ProgramRecord> program = decodePresetImage(bytes, session.presetId(), false);
    if (!program) throw RenderError(path + ": not a preset file of this plug-in");
    DecodedChunk decoded = currentPrograms(session);
    decoded.programs[static_cast<size_t>(decoded.current)] = *program;
    loadPrograms(session, decoded.programs, decoded.current);
}

void selectProgram(const PluginSession& session, std::string_view nameOrIndex) {
    DecodedChunk decoded = currentPrograms(session);
    int32_t chosen = -1;
    int32_t index = 0;
    const auto [end, ec] = std::from_chars(nameOrIndex.data(), nameOrIndex.data() + nameOrIndex.size(), index);
    if (ec == std::errc{} && end == nameOrIndex.data() + nameOrIndex.size() && index >= 0 && index < kNumPrograms)
        chosen = index;
    for (int32_t i = 0; chosen < 0 && i < kNumPrograms; ++i)
        if (equalIgnoringCase(trimmed(terminatedName(decoded.programs[static_cast<size_t>(i)].name).data()),
                              trimmed(nameOrIndex)))
            chosen = i;
    if (chosen < 0) throw RenderError("unknown program \"" + std::string(nameOrIndex) + "\" (see --list-programs)");
    loadPrograms(session, decoded.programs, chosen);
}

int32_t findParameter(const PluginSession& session, std::string_view name) {
    int32_t found = -1;
    for (int32_t i = 0; i < session.numParameters(); ++i) {
        if (!equalIgnoringCase(session.parameterName(i), trimmed(name))) continue;
        if (found >= 0) throw RenderError("parameter name \"" + std::string(name) + "\" is not unique");
        found = i;
    }
    if (found < 0) throw RenderError("unknown parameter \"" + std::string(name) + "\" (see --list-params)");
    return found;
}

float parseParameterValue(int32_t index, std::string_view text) {
    const std::string_view value = trimmed(text);
    if (index < 0 || index >= kNumParams) throw RenderError("no such parameter");
    if (const auto word = switchWord(parameterInfo(index), value)) return *word;
    if (const auto typed = readoutValue(index, value)) return *typed;
    if (const auto number = wholeNumber(value); number && *number >= 0.0 && *number <= 1.0)
        return static_cast<float>(*number);
    throw RenderError(std::string(parameterInfo(index).name) + ": cannot use \"" + std::string(text) + "\" (expected " +
                      describeAccepted(index) + ")");
}

void applySetting(const PluginSession& session, std::string_view assignment) {
    const size_t equals = assignment.find('=');
    if (equals == std::string_view::npos)
        throw RenderError("--set needs NAME=VALUE, got \"" + std::string(assignment) + "\"");
    const int32_t index = findParameter(session, assignment.substr(0, equals));
    session.setParameter(index, parseParameterValue(index, assignment.substr(equals + 1)));
}

}  // namespace orv::render
