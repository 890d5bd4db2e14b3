#include "framework/catalogue.h"

#include <climits>
#include <cstring>
#include <string_view>

int mwcidOfRow(const char *rowText)
{
    if (rowText == nullptr)
        return 0;
    // Only what fits the working buffer counts, and nothing from the colon on.
    std::string_view text(rowText, ::strnlen(rowText, kContentRowBufferSize - 1));
    text = text.substr(0, text.find(':'));

    // Decimal reading as strtol does it in the C locale, clamped to int.
    std::size_t at = text.find_first_not_of(" \t\n\v\f\r");
    if (at == std::string_view::npos)
        return 0;
    const bool negative = text[at] == '-';
    if (text[at] == '-' || text[at] == '+')
        ++at;
    // The magnitude stops at its sign's limit, so INT_MIN itself is reachable.
    const long long limit = negative ? -static_cast<long long>(INT_MIN) : INT_MAX;
    long long magnitude = 0;
    for (; at < text.size() && text[at] >= '0' && text[at] <= '9'; ++at) {
        magnitude = magnitude * 10 + (text[at] - '0');
        if (magnitude >= limit) {
            magnitude = limit;
            break;
        }
    }
    return static_cast<int>(negative ? -magnitude : magnitude);
}
