#pragma once

#include <cstddef>

/// Lets the process write files of at most this many bytes, where the system
/// has such a limit, so that a write past it fails; false where it has none.
bool limitFileSizes(std::size_t bytes);
/// Lifts the limit again.
void unlimitFileSizes();
