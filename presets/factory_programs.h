// The 24 factory programs that a store holds on first use.
#pragma once

#include "presets/program_record.h"

namespace orv {

struct FactoryProgram {
    const char* name;
    float values[kNumParams];
};

extern const FactoryProgram kFactoryPrograms[kNumPrograms];

}  // namespace orv
