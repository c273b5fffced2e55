// Our own effVendorSpecific requests (an extension of the interface; every other vendor-specific
// request is answered with 0).
#pragma once

#include "shell/vst2.h"

namespace orv {

// index = kMeterSnapshotRequest, ptr = MeterSnapshot*: the plug-in fills the snapshot (as the
// editor's idle takes it, restarting the holds) and answers 1. UI thread, like the editor's idle.
inline constexpr int32_t kMeterSnapshotRequest = vst::fourCharCode('O', 'b', 'M', 's');

}  // namespace orv
