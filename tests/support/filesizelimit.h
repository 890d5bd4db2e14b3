#pragma once

#include <cstddef>

/// Lets the process write files of at most this many bytes while it lives,
/// where the system has such a limit; a write past it fails.
class FileSizeLimit
{
public:
    explicit FileSizeLimit(std::size_t bytes);
    ~FileSizeLimit();
    FileSizeLimit(const FileSizeLimit &) = delete;
    FileSizeLimit &operator=(const FileSizeLimit &) = delete;

    /// Whether the limit holds: false where the system has none.
    bool active() const { return m_active; }

private:
    bool m_active = false;
    unsigned long long m_previous = 0;
};
