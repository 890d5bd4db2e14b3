#include "tests/support/filesizelimit.h"

// Windows limits no process's file sizes.
bool limitFileSizes(std::size_t)
{
    return false;
}

void unlimitFileSizes() {}
