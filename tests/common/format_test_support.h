#pragma once
// Helpers shared by the file-format tests.
#include <functional>
#include <string>
#include <vector>
#include <gtest/gtest.h>
#include "runtime/errors.h"
#include "support/raised.h"

namespace formattest {


// Lines joined with CR LF after each.
inline std::string crlf_lines(const std::vector<std::string>& lines)
{
    std::string out;
    for (const auto& line : lines)
        out += line + "\r\n";
    return out;
}

// Names of the entries of a folder, "." and ".." left out.
std::vector<std::string> folder_entries(const std::string& folder);

} // namespace formattest
