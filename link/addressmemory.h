#pragma once

#include <array>
#include <optional>
#include <string>

namespace robotlink {

/// The file, in the current directory, that remembers the last address a
/// connection was requested for.
inline constexpr const char *kAddressMemoryFile = "zenkaiip.txt";

using Octets = std::array<int, 4>;

/// What the file gave: the first `scanned` fields hold numbers, the others 0.
struct RememberedAddress
{
    Octets fields{0, 0, 0, 0};
    int scanned = 0;
};

/// Scans text as "%d.%d.%d.%d" under scanf's rules, stopping at the first
/// mismatch, and reduces each number to its low 8 bits. A number too large
/// for an int is reduced from its exact value, so "300" and "4294967340"
/// both give 44.
RememberedAddress parseAddressMemory(const char *text);

/// Scans the first 16 bytes of the file; nothing when it cannot be opened
/// or read.
std::optional<RememberedAddress> readAddressMemory(const char *path = kAddressMemoryFile);

/// Replaces the file's content with exactly the dotted text, or on any
/// failure leaves it as it was; a file that cannot be written is skipped
/// silently.
void writeAddressMemory(const std::string &dotted, const char *path = kAddressMemoryFile);

/// The four fields as "%d.%d.%d.%d", field 0 first.
std::string dottedAddress(const Octets &fields);

} // namespace robotlink
