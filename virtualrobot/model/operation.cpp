#include "virtualrobot/model/operation.h"

#include <algorithm>
#include <array>
#include <cctype>

namespace vr {

namespace {

constexpr std::array<std::string_view, kOperationCount> kNames = {
    "ExternalControl", "ImageInit", "ImageOpen", "RequestNetService", "ImageClose",
    "SendCmd", "GetBatteryLevel", "SetPosture", "MotionStop", "DoWalking",
    "DoHeader", "PlayContents", "ChangeHeadAngle",
};

bool sameIgnoringCase(std::string_view a, std::string_view b)
{
    return std::ranges::equal(a, b, [](char x, char y) {
        return std::tolower(static_cast<unsigned char>(x)) == std::tolower(static_cast<unsigned char>(y));
    });
}

} // namespace

std::string_view operationName(Operation operation)
{
    return kNames[static_cast<std::size_t>(operation)];
}

std::optional<Operation> operationFromName(std::string_view name)
{
    for (std::size_t i = 0; i < kNames.size(); ++i) {
        if (sameIgnoringCase(kNames[i], name))
            return static_cast<Operation>(i);
    }
    return std::nullopt;
}

} // namespace vr
