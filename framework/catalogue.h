#pragma once

#include <cstddef>

/// The built-in content catalogue, in the order the content list shows it:
/// each entry reads "MWCID: description(posture)" and a null entry ends the
/// table. No count is kept beside it; walk it up to the null entry.
extern const char *const kContentCatalogue[];

/// Size of the content play working buffer: 259 bytes of row text and the
/// terminating zero.
inline constexpr std::size_t kContentRowBufferSize = 260;

/// The MWCID that content play sends for a row of the content list: the row's
/// text, cut to the working buffer and at its first ':', read as a decimal
/// integer (leading white space, optional sign, digits; no digits gives 0).
/// Numbers beyond the range of int give INT_MIN or INT_MAX; nullptr gives 0.
int mwcidOfRow(const char *rowText);
