#include "virtualrobot/model/operationlookup.h"

#include <algorithm>
#include <cctype>

namespace vr {

std::optional<Operation> operationFromName(std::string_view name)
{
    const auto sameIgnoringCase = [](char x, char y) {
        return std::tolower(static_cast<unsigned char>(x)) == std::tolower(static_cast<unsigned char>(y));
    };
    for (std::size_t code = 1; code <= kOperationCount; ++code) {
        const auto operation = protocol::operationFromCode(static_cast<std::uint16_t>(code));
        if (operation &&
            std::ranges::equal(std::string_view(protocol::operationName(*operation)), name, sameIgnoringCase))
            return operation;
    }
    return std::nullopt;
}

} // namespace vr
