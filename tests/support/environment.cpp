#include "support/environment.h"
#include <windows.h>
#include "runtime/system_places.h"
#include "runtime/unicode.h"

namespace testsupport {

namespace {

void put(const std::string& name, const std::optional<std::string>& value)
{
    SetEnvironmentVariableW(rt::utf16(name).c_str(), value ? rt::utf16(*value).c_str() : nullptr);
}

} // namespace

ScopedEnvironment::~ScopedEnvironment()
{
    for (auto it = saved_.rbegin(); it != saved_.rend(); ++it)
        put(it->first, it->second);
}

void ScopedEnvironment::set(const std::string& name, const std::optional<std::string>& value)
{
    saved_.emplace_back(name, rt::environment_variable(name));
    put(name, value);
}

} // namespace testsupport
