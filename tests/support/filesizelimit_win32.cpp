#include "tests/support/filesizelimit.h"

// Windows limits no process's file sizes: the limit never holds.
FileSizeLimit::FileSizeLimit(std::size_t) {}

FileSizeLimit::~FileSizeLimit() = default;
