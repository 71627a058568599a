#pragma once

#include "filesystem/progress.h"

// How often a progress bar is set: each value shown repaints it, which costs as much as thousands
// of rows of a pass.
inline constexpr int kProgressIntervalMs = 50;

// The progress of a pass on the window thread, passed on to show at its start, at its first row
// and then at most every kProgressIntervalMs. Such a pass holds the event loop, so no timer can
// tick; the clock is read every 256 rows instead.
ProgressCallback pacedProgress(ProgressCallback show);
