#pragma once

#include <functional>

// Progress of a pass over the list: value 1..maximum while it runs, 0 when it ends.
using ProgressCallback = std::function<void(int value, int maximum)>;
