#include "engine/dither.h"

namespace orv {

void DitherGenerator::reset() noexcept
{
    g1_ = kSeed1;
    g2_ = kSeed2;
    g3_ = kSeed3;
}

}  // namespace orv
