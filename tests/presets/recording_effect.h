// A program store whose setParameter records what a program application sends, and writes back
// into the current record as the plug-in does (only while no whole program is being applied).
#pragma once

#include "presets/preset_system_effect.h"

#include <vector>

namespace orv::testing {

struct AppliedValue {
    int32_t index;
    float value;
};

class RecordingEffect : public CPresetSystemEffect {
public:
    RecordingEffect() : CPresetSystemEffect(hostCallback) {
        setUniqueID(vst::fourCharCode('O', 'b', 'r', 'v'));
        updateDisplays() = 0;
    }

    void setParameter(int32_t index, float value) override {
        applied.push_back({index, value});
        if (!applyingProgram()) CPresetSystemEffect::setParameter(index, value);
    }

    // Host requests audioMasterUpdateDisplay counted for all instances of the test.
    static int& updateDisplays() {
        static int count = 0;
        return count;
    }

    std::vector<AppliedValue> applied;

private:
    static intptr_t hostCallback(vst::AEffect*, int32_t opcode, int32_t, intptr_t, void*, float) {
        if (opcode == vst::audioMasterUpdateDisplay) ++updateDisplays();
        return 0;
    }
};

}  // namespace orv::testing
