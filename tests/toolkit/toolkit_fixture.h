// Shared helpers: an offscreen frame, a recording listener, generated strip bitmaps.
#pragma once

#include "toolkit/bitmap.h"
#include "toolkit/draw_context.h"
#include "toolkit/control.h"
#include "toolkit/frame.h"
#include "toolkit/offscreen.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <memory>
#include <utility>
#include <vector>

namespace orv::test {

struct RecordingListener : CControlListener {
    void valueChanged(CControl* control) override { values.push_back(control->getValue()); }
    std::vector<float> values;
};

struct EditRecorder : VSTGUIEditorInterface {
    void beginEdit(int32_t index) override { events.emplace_back('b', index); }
    void endEdit(int32_t index) override { events.emplace_back('e', index); }
    std::vector<std::pair<char, int32_t>> events;
};

// Frame k of the strip is filled with red = k, green = 40, blue = 200 (opaque).
inline std::shared_ptr<CBitmap> stripBitmap(int32_t width, int32_t frameHeight, int32_t frames) {
    std::vector<uint32_t> pixels(static_cast<size_t>(width * frameHeight * frames));
    for (int32_t y = 0; y < frameHeight * frames; ++y)
        for (int32_t x = 0; x < width; ++x)
            pixels[static_cast<size_t>(y * width + x)] =
                0xFF000000u | (static_cast<uint32_t>(y / frameHeight) << 16) | (40u << 8) | 200u;
    return CBitmap::fromPixels(width, frameHeight * frames, pixels);
}

// The strip frame shown at x, y, or -1 when the pixel is not from a strip.
inline int32_t shownFrame(const COffscreenPlatform& platform, int32_t x, int32_t y) {
    const CColor c = platform.pixelAt(x, y);
    return (c.green == 40 && c.blue == 200) ? c.red : -1;
}

class FrameTest : public testing::Test {
protected:
    static constexpr CRect kFrameSize{0, 0, 200, 300};

    FrameTest() {
        auto owned = std::make_unique<COffscreenPlatform>(200, 300);
        platform = owned.get();
        frame = std::make_unique<CFrame>(kFrameSize, std::move(owned), &edits);
        frame->setBackgroundColor({10, 10, 10, 255});
    }

    template <class View>
    View* add(std::unique_ptr<View> view) { return frame->addView(std::move(view)); }

    // Draws everything asked for so far and whatever is dirty.
    void render() {
        frame->idle();
        platform->paint();
    }

    CMouseEventResult down(CCoord x, CCoord y, CButtonState buttons = kLButton) {
        CPoint p{x, y};
        return frame->onMouseDown(p, buttons);
    }
    void move(CCoord x, CCoord y, CButtonState buttons = kLButton) {
        CPoint p{x, y};
        frame->onMouseMoved(p, buttons);
    }
    void up(CCoord x, CCoord y, CButtonState buttons = 0) {
        CPoint p{x, y};
        frame->onMouseUp(p, buttons);
    }
    void click(CCoord x, CCoord y, CButtonState buttons = kLButton) {
        down(x, y, buttons);
        up(x, y);
    }
    int32_t keyDown(uint8_t virt, int32_t character = 0, uint8_t modifier = 0) {
        return frame->onKeyDown({character, virt, modifier});
    }
    void type(std::string_view text) {
        for (char c : text) keyDown(kKeyNone, c);
    }

    EditRecorder edits;
    RecordingListener listener;
    COffscreenPlatform* platform = nullptr;
    std::unique_ptr<CFrame> frame;
};

}  // namespace orv::test
