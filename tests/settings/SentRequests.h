#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace corvane::test {

/// The requests that begin with a prefix, in the order they were sent.
inline std::vector<std::string> startingWith(const std::vector<std::string>& requests, std::string_view prefix)
{
    std::vector<std::string> found;
    for (const std::string& request : requests) {
        if (request.starts_with(prefix))
            found.push_back(request);
    }
    return found;
}

} // namespace corvane::test
