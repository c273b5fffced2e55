#include "toolkit/offscreen.h"

#include "toolkit/file_selector.h"
#include "toolkit/frame.h"

#include <cairo.h>

#include <algorithm>

namespace orv {

struct COffscreenPlatform::TimerEntry {
    uint32_t period;
    uint64_t due;
    std::function<void()> fire;
};

namespace {
class OffscreenTimer : public IPlatformTimer {
public:
    explicit OffscreenTimer(std::shared_ptr<COffscreenPlatform::TimerEntry> e) : entry(std::move(e)) {}

private:
    std::shared_ptr<COffscreenPlatform::TimerEntry> entry;
};

class NoFileDialog : public IFileDialog {
public:
    bool isAvailable() override { return false; }
    FileDialogResult run(const FileDialogRequest&) override { return {}; }
};
}  // namespace

COffscreenPlatform::COffscreenPlatform(int32_t width, int32_t height)
    : image(cairo_image_surface_create(CAIRO_FORMAT_ARGB32, std::max(width, 1), std::max(height, 1))) {}

COffscreenPlatform::~COffscreenPlatform() { cairo_surface_destroy(image); }

std::unique_ptr<IPlatformTimer> COffscreenPlatform::createTimer(uint32_t periodMs, std::function<void()> fire) {
    const uint32_t period = std::max<uint32_t>(periodMs, 1);
    auto entry = std::make_shared<TimerEntry>(TimerEntry{period, clockMs + period, std::move(fire)});
    timers.push_back(entry);
    return std::make_unique<OffscreenTimer>(entry);
}

IFileDialog& COffscreenPlatform::fileDialog() {
    static NoFileDialog none;
    return standIn ? *standIn : none;
}

void COffscreenPlatform::paint() {
    std::vector<CRect> regions;
    regions.swap(pending);
    if (!attachedFrame) return;
    for (const CRect& r : regions) attachedFrame->drawRect(r);
}

void COffscreenPlatform::advanceClock(uint32_t ms) {
    const uint64_t target = clockMs + ms;
    while (true) {
        // Timers may start or stop others while they fire, so look again each time.
        std::erase_if(timers, [](const auto& t) { return t.expired(); });
        std::shared_ptr<TimerEntry> next;
        for (const auto& weak : timers)
            if (auto t = weak.lock(); t && t->due <= target && (!next || t->due < next->due)) next = t;
        if (!next) break;
        clockMs = next->due;
        next->due += next->period;
        next->fire();
    }
    clockMs = target;
}

CColor COffscreenPlatform::pixelAt(int32_t x, int32_t y) const {
    if (x < 0 || y < 0 || x >= cairo_image_surface_get_width(image) || y >= cairo_image_surface_get_height(image))
        return kBlackCColor;
    cairo_surface_flush(image);
    const unsigned char* data = cairo_image_surface_get_data(image);
    const auto* row = reinterpret_cast<const uint32_t*>(data + static_cast<ptrdiff_t>(y) * cairo_image_surface_get_stride(image));
    const uint32_t p = row[x];
    const uint32_t a = p >> 24;
    auto channel = [a](uint32_t premultiplied) {
        return static_cast<uint8_t>(a == 0 ? 0 : std::min<uint32_t>(255, (premultiplied * 255 + a / 2) / a));
    };
    return {channel((p >> 16) & 0xFF), channel((p >> 8) & 0xFF), channel(p & 0xFF), static_cast<uint8_t>(a)};
}

bool COffscreenPlatform::writePng(const std::string& path) const {
    cairo_surface_flush(image);
    return cairo_surface_write_to_png(image, path.c_str()) == CAIRO_STATUS_SUCCESS;
}

}  // namespace orv
