#include "link/vaibomessageids.h"

#include "toolkit/core/windowmessages.h"

#include <algorithm>
#include <cstddef>
#include <string_view>

namespace robotlink {

namespace {

VaiboMessageIds registerAll()
{
    VaiboMessageIds ids{};
    std::transform(vaibo::kMessageNames.begin(), vaibo::kMessageNames.end(), ids.begin(),
                   [](const char *name) { return tk::registerWindowMessage(name); });
    return ids;
}

// A name's place among them, found by its text while compiling: a name
// that is not one of them does not compile.
consteval std::size_t indexOf(std::string_view name)
{
    for (std::size_t i = 0; i < vaibo::kMessageNames.size(); ++i) {
        if (vaibo::kMessageNames[i] == name)
            return i;
    }
    throw "not one of the client library's message names";
}

} // namespace

const VaiboMessageIds kVaiboMessageIds = registerAll();

const UINT &kConnectMessageId = kVaiboMessageIds[indexOf(vaibo::kConnectMessage)];
const UINT &kDisconnectMessageId = kVaiboMessageIds[indexOf(vaibo::kDisconnectMessage)];
const UINT &kImageUpdateMessageId = kVaiboMessageIds[indexOf(vaibo::kImageUpdateMessage)];

} // namespace robotlink
