// The ten meter values handed from the engine to the editor at each editor idle.
#pragma once

namespace orv {

struct MeterSnapshot {
    float inputPeak[2];   // left, right
    float outputPeak[2];
    float inputRms[2];
    float outputRms[2];
    float gainHold[2];    // smallest gain since the last snapshot (1.0 = no reduction)
};

}  // namespace orv
