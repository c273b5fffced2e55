#include "resources/montage.h"

#include <algorithm>
#include <cmath>
#include <string>

#include "resources/panel_layout.h"

namespace orv::art {
namespace {

constexpr int kMargin = 10;
constexpr int kSheetWidth = 980;
constexpr int kKnobSamples = 5;
constexpr int kFontCells = 192;
constexpr int kFontColumns = 16;
constexpr int kFontCellPitchX = 6;
constexpr int kFontCellPitchY = 9;
constexpr int kFontZoom = 2;

bool isFont(int id) { return id == 137 || id == 138; }

class Sheet {
public:
    explicit Sheet(const std::vector<MontageItem>& all) : items(all) {}

    const Canvas& bitmap(int id) const {
        return std::find_if(items.begin(), items.end(), [id](const MontageItem& i) { return i.id == id; })->image;
    }
    // Copies the source area starting at (0, sourceY) over the destination rectangle.
    void blit(cairo_t* cr, int id, Rect dest, int sourceY) const {
        cairo_save(cr);
        cairo_rectangle(cr, dest.left, dest.top, dest.width(), dest.height());
        cairo_clip(cr);
        cairo_set_source_surface(cr, bitmap(id).surface(), dest.left, dest.top - sourceY);
        cairo_paint(cr);
        cairo_restore(cr);
    }
    void frame(cairo_t* cr, int id, int x, int y, int w, int h, int index) const {
        blit(cr, id, {x, y, x + w, y + h}, index * h);
    }
    // The bitmap-font printer the meter readouts use.
    void print(cairo_t* cr, int fontId, int x, int y, const std::string& text, bool dark, Rgb cell) const {
        for (const char ch : text) {
            const int n = (ch & 0x7F) - 32 + (dark ? 96 : 0);
            cairo_rectangle(cr, x, y - 7, 6, 8);
            setColour(cr, cell);
            cairo_fill(cr);
            blit(cr, fontId, {x, y - 7, x + 5, y + 1}, 8 * std::clamp(n, 0, 191));
            x += 6;
        }
    }

private:
    const std::vector<MontageItem>& items;
};

void peakBars(cairo_t* cr, const Sheet& s, int leftColumn, int rightColumn, double leftDb, double rightDb) {
    const int columns[] = {leftColumn, rightColumn};
    const double levels[] = {leftDb, rightDb};
    for (int i = 0; i < 2; ++i) {
        const int h = std::clamp(static_cast<int>((levels[i] + 48) * 6 + 0.5), 0, 360);
        s.blit(cr, 130, {columns[i], 402 - h, columns[i] + 15, 402}, 408 - h);
        s.blit(cr, 155, {columns[i], 42, columns[i] + 15, 402 - h}, 48);
    }
}

void lcd(cairo_t* cr, const Sheet& s, Rect r, const std::string& left, const std::string& right, bool alert) {
    const int baseline = r.bottom - 2;
    s.print(cr, 137, r.left + 35, baseline, "dBFS", false, kLight);
    const std::string texts[] = {left, right};
    for (int i = 0; i < 2; ++i) {
        const int offset = i == 0 ? 1 : 61;
        const bool red = alert && i == 1;
        cairo_rectangle(cr, r.left + offset, r.bottom - 10, 31, 9);
        setColour(cr, red ? kAlert : kDark);
        cairo_fill(cr);
        const int x = r.left + offset + 1 + 3 * (5 - static_cast<int>(texts[i].size()));
        s.print(cr, red ? 138 : 137, x, baseline, texts[i], true, red ? kAlert : kDark);
    }
}

void fieldText(cairo_t* cr, Rect r, const std::string& text, Rgb colour) {
    drawText(cr, text, r.midX(), r.bottom - 5, {10, colour, false, Align::Centre});
}

// The window as a user sees it with some typical values.
void assembledWindow(cairo_t* cr, const Sheet& s) {
    s.blit(cr, 128, {0, 0, kWindowWidth, kWindowHeight}, 0);
    struct Placed {
        int id, left, top, width, height, frame;
    };
    const Placed keys[] = {
        {139, 44, 40, 33, 19, 1},  {140, 81, 40, 33, 19, 0},  {141, 223, 305, 35, 56, 4},
        {162, 412, 40, 33, 19, 1}, {163, 449, 40, 33, 19, 1}, {142, 412, 78, 33, 19, 4},
        {143, 449, 78, 33, 19, 5}, {145, 269, 341, 33, 19, 0}, {144, 269, 265, 33, 19, 0},
        {164, 224, 265, 33, 19, 1}, {165, 224, 230, 33, 19, 1}, {166, 269, 230, 33, 19, 1},
        {146, 38, 121, 90, 25, 0}, {149, 245, 400, 35, 35, 1}, {161, 394, 368, 18, 24, 0},
        {161, 116, 368, 18, 24, 1}, {160, 269, 307, 33, 19, 0}, {990, 72, 447, 17, 15, 0},
        {991, 22, 447, 17, 15, 0}, {992, 39, 447, 32, 13, 0}, {990, 166, 447, 17, 15, 1},
        {991, 104, 447, 17, 15, 0}, {993, 122, 447, 44, 13, 0}, {990, 421, 447, 17, 15, 0},
        {991, 388, 447, 17, 15, 0}, {990, 486, 447, 17, 15, 0}, {991, 452, 447, 17, 15, 2},
        {995, 340, 447, 30, 13, 2},
    };
    for (const Placed& p : keys) s.frame(cr, p.id, p.left, p.top, p.width, p.height, p.frame);
    const int knobFrames[] = {20, 72, 100, 100, 50, 100};
    for (std::size_t i = 0; i < kKnobs.size(); ++i) {
        const KnobLayout& k = kKnobs[i];
        s.frame(cr, k.bitmapId, k.rect.left, k.rect.top, k.rect.width(), k.frameHeight, knobFrames[i]);
    }
    s.blit(cr, 133, {164, 38, 191, 405}, 0);
    s.blit(cr, 136, {335, 38, 362, 405}, 0);
    peakBars(cr, s, 150, 191, -9.5, -4.2);
    peakBars(cr, s, 320, 363, -0.4, 0.6);
    s.blit(cr, 167, {233, 39, 291, 192}, 0);
    s.blit(cr, 156, {234, 42, 249, 42 + 23}, 0);
    s.blit(cr, 156, {275, 42, 290, 42 + 31}, 0);
    lcd(cr, s, kLcdReadouts[0], "-3.1", "-2.6", false);
    lcd(cr, s, kLcdReadouts[1], "-0.2", "+0.4", true);
    fieldText(cr, kDriveReadout, "+3.00 dB", kLight);
    fieldText(cr, kOutputReadout, "-0.30 dB", kLight);
    const char* const grey[] = {"0.020", "200.0 ms", "OFF", "100 %"};
    for (std::size_t i = 0; i < kGreyReadouts.size(); ++i) fieldText(cr, kGreyReadouts[i], grey[i], Rgb::bytes(39, 39, 39));
    fieldText(cr, {kNameField.left, kNameField.top, kNameField.right, kNameField.bottom + 2}, "Default", kInk);
}

// Both glyph sets of a font as a grid of cells, enlarged.
void fontGrid(cairo_t* cr, const Sheet& s, int id, int x, int y) {
    cairo_save(cr);
    cairo_translate(cr, x, y);
    cairo_scale(cr, kFontZoom, kFontZoom);
    for (int n = 0; n < kFontCells; ++n) {
        const int left = n % kFontColumns * kFontCellPitchX;
        const int top = n / kFontColumns * kFontCellPitchY;
        cairo_save(cr);
        cairo_rectangle(cr, left, top, 5, 8);
        cairo_clip(cr);
        cairo_set_source_surface(cr, s.bitmap(id).surface(), left, top - 8 * n);
        cairo_pattern_set_filter(cairo_get_source(cr), CAIRO_FILTER_NEAREST);
        cairo_paint(cr);
        cairo_restore(cr);
    }
    cairo_restore(cr);
}

}  // namespace

Canvas buildMontage(const std::vector<MontageItem>& items) {
    const Sheet sheet(items);
    // Lay the bitmaps out in shelves; knob strips show a few of their frames side by side.
    struct Slot {
        int id, x, y;
    };
    std::vector<Slot> slots;
    int x = kMargin;
    int y = kWindowHeight + 3 * kMargin;
    int shelf = 0;
    auto footprint = [](const MontageItem& item, int& w, int& h) {
        const bool knob = std::any_of(kKnobs.begin(), kKnobs.end(), [&](const KnobLayout& k) { return k.bitmapId == item.id; });
        w = item.image.width() * (knob ? kKnobSamples : 1) + (knob ? kKnobSamples : 0);
        h = knob ? item.image.height() / kKnobFrames : item.image.height();
        if (isFont(item.id)) {
            w = kFontColumns * kFontCellPitchX * kFontZoom;
            h = kFontCells / kFontColumns * kFontCellPitchY * kFontZoom;
        }
        if (item.id == 128) w = h = 0;
    };
    for (const MontageItem& item : items) {
        int w = 0;
        int h = 0;
        footprint(item, w, h);
        if (w == 0) continue;
        if (x + w > kSheetWidth - kMargin) {
            x = kMargin;
            y += shelf + kMargin + 12;
            shelf = 0;
        }
        slots.push_back({item.id, x, y});
        x += w + kMargin;
        shelf = std::max(shelf, h);
    }
    Canvas montage(kSheetWidth, y + shelf + kMargin + 12);
    cairo_t* cr = montage.cr();
    setColour(cr, Rgb::bytes(110, 112, 116));
    cairo_paint(cr);
    cairo_save(cr);
    cairo_translate(cr, kMargin, kMargin);
    assembledWindow(cr, sheet);
    cairo_restore(cr);
    for (const Slot& slot : slots) {
        const Canvas& image = sheet.bitmap(slot.id);
        const auto knob = std::find_if(kKnobs.begin(), kKnobs.end(), [&](const KnobLayout& k) { return k.bitmapId == slot.id; });
        if (isFont(slot.id)) {
            fontGrid(cr, sheet, slot.id, slot.x, slot.y);
        } else if (knob != kKnobs.end()) {
            for (int i = 0; i < kKnobSamples; ++i) {
                const int index = i * (kKnobFrames - 1) / (kKnobSamples - 1);
                const int left = slot.x + i * (image.width() + 1);
                sheet.frame(cr, slot.id, left, slot.y, image.width(), knob->frameHeight, index);
            }
        } else {
            sheet.blit(cr, slot.id, {slot.x, slot.y, slot.x + image.width(), slot.y + image.height()}, 0);
        }
        drawText(cr, std::to_string(slot.id), slot.x, slot.y - 2, {8, Rgb{0, 0, 0}, true, Align::Left});
    }
    return montage;
}

Canvas buildWindowPreview(const std::vector<MontageItem>& items, int zoom) {
    const Sheet sheet(items);
    Canvas window(kWindowWidth, kWindowHeight);
    assembledWindow(window.cr(), sheet);
    Canvas preview(kWindowWidth * zoom, kWindowHeight * zoom);
    cairo_scale(preview.cr(), zoom, zoom);
    cairo_set_source_surface(preview.cr(), window.surface(), 0, 0);
    cairo_pattern_set_filter(cairo_get_source(preview.cr()), CAIRO_FILTER_NEAREST);
    cairo_paint(preview.cr());
    return preview;
}

}  // namespace orv::art
