#include "windowmessages.h"

#include <mutex>
#include <unordered_map>

namespace tk {

namespace {

struct Registry
{
    std::mutex mutex;
    std::unordered_map<std::string, UINT> ids;
    std::vector<std::string> names;
};

Registry &registry()
{
    static Registry instance;
    return instance;
}

} // namespace

UINT registerWindowMessage(const char *name)
{
    if (name == nullptr || *name == '\0')
        return 0;
    Registry &reg = registry();
    const std::lock_guard lock(reg.mutex);
    const auto found = reg.ids.find(name);
    if (found != reg.ids.end())
        return found->second;
    const UINT id = detail::newMessageId(name, reg.names.size());
    if (id == 0)
        return 0;
    reg.ids.emplace(name, id);
    reg.names.emplace_back(name);
    return id;
}

std::vector<std::string> registeredMessageNames()
{
    Registry &reg = registry();
    const std::lock_guard lock(reg.mutex);
    return reg.names;
}

} // namespace tk
