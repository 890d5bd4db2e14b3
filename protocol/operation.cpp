#include "protocol/operation.h"

#include <array>

namespace protocol {

namespace {

struct OperationInfo
{
    Operation operation;
    std::size_t arguments;
    const char *name;
};

// Indexed by code - 1.
constexpr std::array<OperationInfo, 13> kOperations{{
    {Operation::ExternalControl, 1, "ExternalControl"},
    {Operation::ImageInit, 0, "ImageInit"},
    {Operation::ImageOpen, 0, "ImageOpen"},
    {Operation::ImageClose, 0, "ImageClose"},
    {Operation::RequestNetService, 1, "RequestNetService"},
    {Operation::SendCmd, 6, "SendCmd"},
    {Operation::GetBatteryLevel, 0, "GetBatteryLevel"},
    {Operation::SetPosture, 2, "SetPosture"},
    {Operation::MotionStop, 0, "MotionStop"},
    {Operation::DoWalking, 4, "DoWalking"},
    {Operation::DoHeader, 2, "DoHeader"},
    {Operation::PlayContents, 2, "PlayContents"},
    {Operation::ChangeHeadAngle, 4, "ChangeHeadAngle"},
}};

const OperationInfo &info(Operation operation)
{
    return kOperations[static_cast<std::size_t>(operation) - 1];
}

} // namespace

std::optional<Operation> operationFromCode(std::uint16_t code)
{
    if (code == 0 || code > kOperations.size())
        return std::nullopt;
    return kOperations[code - 1u].operation;
}

std::size_t argumentCount(Operation operation)
{
    return info(operation).arguments;
}

const char *operationName(Operation operation)
{
    return info(operation).name;
}

} // namespace protocol
