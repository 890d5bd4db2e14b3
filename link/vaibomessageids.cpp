#include "link/vaibomessageids.h"

#include "toolkit/core/windowmessages.h"
#include "vaiboclient/vaibomessages.h"

#include <algorithm>
#include <cstddef>

namespace robotlink {

namespace {

std::array<UINT, 17> registerAll()
{
    std::array<UINT, 17> ids{};
    std::transform(vaibo::kMessageNames.begin(), vaibo::kMessageNames.end(), ids.begin(),
                   [](const char *name) { return tk::registerWindowMessage(name); });
    return ids;
}

constexpr std::size_t indexOf(const char *name)
{
    return static_cast<std::size_t>(std::find(vaibo::kMessageNames.begin(), vaibo::kMessageNames.end(), name)
                                    - vaibo::kMessageNames.begin());
}

} // namespace

const std::array<UINT, 17> kVaiboMessageIds = registerAll();

const UINT &kConnectMessageId = kVaiboMessageIds[indexOf(vaibo::kConnectMessage)];
const UINT &kDisconnectMessageId = kVaiboMessageIds[indexOf(vaibo::kDisconnectMessage)];
const UINT &kImageUpdateMessageId = kVaiboMessageIds[indexOf(vaibo::kImageUpdateMessage)];

} // namespace robotlink
