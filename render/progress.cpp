#include "render/progress.h"

#include <unistd.h>

#include <algorithm>
#include <cstdio>

namespace orv::render {

namespace {
constexpr int kBarWidth = 40;
}

ProgressBar::ProgressBar() : enabled_(isatty(STDERR_FILENO) == 1) {}

ProgressBar::~ProgressBar() {
    if (enabled_ && shown_ >= 0) std::fputs("\n", stderr);
}

void ProgressBar::update(double fraction) {
    if (!enabled_) return;
    const int percent = static_cast<int>(std::clamp(fraction, 0.0, 1.0) * 100.0);
    if (percent == shown_) return;
    shown_ = percent;
    char bar[kBarWidth + 1];
    const int filled = percent * kBarWidth / 100;
    for (int i = 0; i < kBarWidth; ++i) bar[i] = i < filled ? '#' : '.';
    bar[kBarWidth] = '\0';
    std::fprintf(stderr, "\rrendering [%s] %3d%%", bar, percent);
    std::fflush(stderr);
}

}  // namespace orv::render
