// The renderer's work from parsed options to committed files and the printed report.
//
// Threading: the main thread; the interrupt handler only sets a flag that the render checks
// after each block.
#pragma once

#include "render/options.h"

namespace orv::render {

// SIGINT and SIGTERM stop a render after the current block; nothing is left behind.
void installInterruptHandlers();

// Runs the command; throws RenderError with a one-line message. Returns the exit status.
int runCommand(const Options& options);

}  // namespace orv::render
