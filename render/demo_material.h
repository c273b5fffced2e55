// Generated program material for the demo: a loop of drums with sharp transients, a bass line,
// a chord pad and a few hard-clipped peaks, in stereo.
#pragma once

#include "render/audio_file.h"

namespace orv::render {

// Deterministic: the same arguments give the same samples. Marked as 24-bit PCM material.
AudioData generateDemoMaterial(int rate, double seconds);

}  // namespace orv::render
