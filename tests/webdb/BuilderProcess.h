#pragma once
// Runs the database builder as its own process, as the publisher would.
#include <string>
#include <vector>

namespace lum::test {

struct ProcessResult {
    int exitCode = -1;
    std::string output;  // standard output and error, UTF-8
};

ProcessResult RunBuilder(const std::vector<std::wstring>& arguments);

} // namespace lum::test
