// Build-time tool: draws every editor bitmap and writes it as <outdir>/bitmap_<id>.png, plus
// <outdir>/montage.png, a review sheet of the assembled window and every bitmap, and
// <outdir>/window_preview.png, the assembled window at twice its size.
//
// Usage: generate_artwork <outdir>
#include <cstdio>
#include <string>
#include <vector>

#include "resources/artwork.h"
#include "resources/montage.h"

namespace orv::art {

std::span<const BitmapRecipe> bitmapRecipes() {
    static constexpr BitmapRecipe kRecipes[] = {
        {128, "window background", windowBackground},
        {129, "K bar, unlit", kBarUnlit},
        {130, "peak bar, lit", peakBarLit},
        {131, "input scale K-20", inputScaleK20},
        {132, "input scale K-14", inputScaleK14},
        {133, "input scale peak and K-12", inputScalePeak},
        {134, "output scale K-20", outputScaleK20},
        {135, "output scale K-14", outputScaleK14},
        {136, "output scale peak and K-12", outputScalePeak},
        {137, "bitmap font", normalFont},
        {138, "bitmap font, alert", alertFont},
        {139, "DetectorOrder key", detectorOrderKey},
        {140, "Oversample key", oversampleKey},
        {141, "meter mode key", meterModeKey},
        {142, "Bits key", bitsKey},
        {143, "NoiseShape key", noiseShapeKey},
        {144, "AttZoom key", attZoomKey},
        {145, "Calibrate key", calibrateKey},
        {146, "TransShape switch", transShapeSwitch},
        {147, "Leveller knob", levellerKnob},
        {148, "L/R Link knob", linkKnob},
        {149, "Power button", powerButton},
        {150, "Drive knob", driveKnob},
        {151, "Output knob", outputKnob},
        {152, "Transient knob", transientKnob},
        {153, "Release knob", releaseKnob},
        {154, "K bar, lit", kBarLit},
        {155, "peak bar, unlit", peakBarUnlit},
        {156, "gain-reduction bar", gainBar},
        {160, "MeterOvs key", meterOversampleKey},
        {161, "AutoOut and PostMeter key", smallLedKey},
        {162, "Quantize key", quantizeKey},
        {163, "Autoblack key", autoblackKey},
        {164, "AttShow bit 0 key", attShow1Key},
        {165, "AttShow bit 1 key", attShow2Key},
        {166, "AttShow bit 2 key", attShowLevellerKey},
        {167, "gain-reduction scales", gainScale},
        {990, "load and recall button", loadButton},
        {991, "save and store button", saveButton},
        {992, "default bank button", defaultBankButton},
        {993, "default preset button", defaultPresetButton},
        {995, "program rocker", programRocker},
    };
    return kRecipes;
}

}  // namespace orv::art

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s <output folder>\n", argv[0]);
        return 2;
    }
    const std::string folder = argv[1];
    std::vector<orv::art::MontageItem> items;
    for (const orv::art::BitmapRecipe& recipe : orv::art::bitmapRecipes()) {
        orv::art::Canvas canvas = recipe.draw();
        const std::string path = folder + "/bitmap_" + std::to_string(recipe.id) + ".png";
        if (cairo_status(canvas.cr()) != CAIRO_STATUS_SUCCESS || !canvas.writePng(path)) {
            std::fprintf(stderr, "generate_artwork: cannot draw or write %s\n", path.c_str());
            return 1;
        }
        items.push_back({recipe.id, std::move(canvas)});
    }
    const std::string montagePath = folder + "/montage.png";
    if (!orv::art::buildMontage(items).writePng(montagePath)) {
        std::fprintf(stderr, "generate_artwork: cannot write %s\n", montagePath.c_str());
        return 1;
    }
    const std::string previewPath = folder + "/window_preview.png";
    if (!orv::art::buildWindowPreview(items, 2).writePng(previewPath)) {
        std::fprintf(stderr, "generate_artwork: cannot write %s\n", previewPath.c_str());
        return 1;
    }
    return 0;
}
