#include "vaiboclient/settings.h"

#include <mutex>

namespace vaibo {

namespace {

std::mutex &settingsMutex()
{
    static std::mutex mutex;
    return mutex;
}

Settings &current()
{
    static Settings instance;
    return instance;
}

} // namespace

Settings settings()
{
    const std::lock_guard lock(settingsMutex());
    return current();
}

void setSettings(const Settings &settings)
{
    const std::lock_guard lock(settingsMutex());
    current() = settings;
}

} // namespace vaibo
