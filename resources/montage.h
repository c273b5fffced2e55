// The review sheet: the window as the editor assembles it, then every bitmap.
#pragma once

#include <vector>

#include "resources/painter.h"

namespace orv::art {

struct MontageItem {
    int id;
    Canvas image;
};

Canvas buildMontage(const std::vector<MontageItem>& items);
// Only the assembled window, enlarged by a whole factor, for a close look.
Canvas buildWindowPreview(const std::vector<MontageItem>& items, int zoom);

}  // namespace orv::art
