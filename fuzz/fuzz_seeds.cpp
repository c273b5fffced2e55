// Writes the seed corpora: valid images of every kind in both byte orders.
#include "presets/factory_programs.h"
#include "presets/program_images.h"
#include "presets/preset_system_effect.h"

#include <algorithm>
#include <array>
#include <filesystem>
#include <fstream>
#include <string>

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
    return 0;
}
