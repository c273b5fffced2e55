// Writes the seed corpora: valid images of every kind in both byte orders, dispatcher calls as a
// host makes them, readout texts and --set options.
#include "presets/factory_programs.h"
#include "presets/program_images.h"
#include "presets/preset_system_effect.h"
#include "shell/vst2.h"

#include <algorithm>
#include <array>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

namespace {

void write(const std::filesystem::path& folder, const std::string& name, std::span<const uint8_t> bytes) {
    std::filesystem::create_directories(folder);
    std::ofstream(folder / name, std::ios::binary)
        .write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
}

template <size_t N>
std::array<uint8_t, N> wordsReversed(std::array<uint8_t, N> image, size_t from, size_t stride, size_t skip) {
    for (size_t at = from; at + stride <= N; at += stride) {
        for (size_t v = 0; v < 26; ++v) std::reverse(image.begin() + at + skip + 4 * v, image.begin() + at + skip + 4 * v + 4);
    }
    return image;
}

void writeText(const std::filesystem::path& folder, const std::string& name, const std::string& text) {
    write(folder, name, std::span(reinterpret_cast<const uint8_t*>(text.data()), text.size()));
}

// One dispatcher call as fuzz_dispatcher reads it: opcode byte, index, value, float, buffer bytes.
std::vector<uint8_t> dispatcherCall(uint8_t opcode, int32_t index, intptr_t value, float opt,
                                    std::span<const uint8_t> buffer = {}) {
    std::vector<uint8_t> call{opcode};
    const auto append = [&](const auto& field) {
        const auto* bytes = reinterpret_cast<const uint8_t*>(&field);
        call.insert(call.end(), bytes, bytes + sizeof field);
    };
    append(index);
    append(value);
    append(opt);
    call.insert(call.end(), buffer.begin(), buffer.end());
    return call;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) return 2;
    const std::filesystem::path corpus = argv[1];
    orv::CPresetSystemEffect effect(nullptr);
    const int32_t id = 0x4f627276;
    const orv::ProgramBank bank = effect.bank();

    std::array<uint8_t, orv::kBankChunkSize> chunk{};
    orv::encodeBankChunk(bank, id, 3, chunk);
    write(corpus / "chunk", "native", chunk);
    auto reversed = wordsReversed(chunk, 32, 128, 24);
    for (size_t at : {0u, 4u, 8u, 12u}) std::reverse(reversed.begin() + at, reversed.begin() + at + 4);
    write(corpus / "chunk", "reversed", reversed);

    std::array<uint8_t, orv::kPresetImageSize> preset{};
    orv::encodePresetImage(bank[0], id, preset);
    write(corpus / "preset_image", "native", preset);
    auto reversedPreset = wordsReversed(preset, 5, 128, 24);
    std::reverse(reversedPreset.begin(), reversedPreset.begin() + 4);
    write(corpus / "preset_image", "reversed", reversedPreset);

    std::array<uint8_t, orv::kBankImageSize> bankImage{};
    orv::encodeBankImage(bank, id, bankImage);
    write(corpus / "bank_image", "native", bankImage);

    const uint8_t dword[4] = {3, 0, 0, 0};
    write(corpus / "stored_value", "dword", dword);
    write(corpus / "stored_value", "preset", preset);
    const std::string folder = "/home/user/Presets/";
    write(corpus / "stored_value", "text", std::span(reinterpret_cast<const uint8_t*>(folder.data()), folder.size()));

    write(corpus / "dispatcher", "rate", dispatcherCall(vst::effSetSampleRate, 0, 0, 96000.0f));
    write(corpus / "dispatcher", "display", dispatcherCall(vst::effGetParamDisplay, 4, 0, 0.0f));
    write(corpus / "dispatcher", "mains", dispatcherCall(vst::effMainsChanged, 0, 0, 0.0f));
    write(corpus / "dispatcher", "names", dispatcherCall(vst::effGetProgramNameIndexed, 5, 0, 0.0f));
    write(corpus / "dispatcher", "meters", dispatcherCall(vst::effVendorSpecific, 1, 0, 0.0f));
    write(corpus / "dispatcher", "chunk",
          dispatcherCall(vst::effSetChunk, 0, static_cast<intptr_t>(chunk.size()), 0.0f, chunk));
    // Regression inputs: modifiers beyond the int range (a float conversion overflowed), and a
    // chunk size beyond 32 bits that wrapped around to a valid one.
    write(corpus / "dispatcher", "keydown-huge-modifiers", dispatcherCall(vst::effEditKeyDown, 'a', 0, 4.23254e21f));
    write(corpus / "dispatcher", "chunk-size-wraps",
          dispatcherCall(vst::effSetChunk, 0, (intptr_t{1} << 32) + static_cast<intptr_t>(chunk.size()), 0.0f, chunk));
    const std::string name = "Renamed by the host, far too long";
    write(corpus / "dispatcher", "rename",
          dispatcherCall(vst::effSetProgramName, 0, 0, 0.0f,
                         std::span(reinterpret_cast<const uint8_t*>(name.data()), name.size())));

    const char* readouts[] = {"+6dB", "-3.5 dB", "off", "200 ms", "50%", "1e400", " .5", "-0", "12e-3"};
    for (size_t i = 0; i < std::size(readouts); ++i) writeText(corpus / "readout_text", std::to_string(i), readouts[i]);
    const char* options[] = {"Drive=+6dB", "Leveller=off", "Bits=16", "Release=200 ms", "Output=0.5",
                             "TransShape=soft", "l/r link=50%", "Calibrate=l+r uncor"};
    for (size_t i = 0; i < std::size(options); ++i) writeText(corpus / "set_option", std::to_string(i), options[i]);
    return 0;
}
