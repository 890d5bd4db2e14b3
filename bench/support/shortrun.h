#pragma once

#include <cstring>

namespace bench {

/// Whether this is a short run (--short): a few iterations in a second or
/// two, which show that the benchmark still works; its figures mean little
/// and its goals are not judged.
inline bool g_shortRun = false;

/// Reads --short and takes it out of the arguments, which stay the
/// benchmark's own.
inline void readShortRun(int &argc, char **argv)
{
    int kept = 1;
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--short") == 0)
            g_shortRun = true;
        else
            argv[kept++] = argv[i];
    }
    argc = kept;
    argv[argc] = nullptr;
}

/// The full run's length, or the short run's.
template <typename T>
T runLength(T full, T brief)
{
    return g_shortRun ? brief : full;
}

} // namespace bench
