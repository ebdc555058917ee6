#pragma once
// A whole file's bytes, for tests that compare what a program wrote.
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

namespace zt40::testing {

// Empty when the file cannot be read.
inline std::string FileText(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), {}};
}

}  // namespace zt40::testing
