#pragma once
// Reads a small file whole, refusing anything that is not a plain file before it could block
// (a FIFO without a writer, a device) or fill memory.
#include <cstddef>
#include <cstdint>
#include <string>

namespace zt40 {

struct SmallFile {
    enum class Problem { None, CannotRead, IsFolder, NotRegular, TooLong, GrewTooLong };
    Problem problem = Problem::None;
    std::string text;         // the contents, when there is no problem
    std::string systemText;   // the system's words for CannotRead
    std::uint64_t size = 0;   // the size the system gave, for TooLong
};

SmallFile ReadSmallFile(const std::string& path, std::size_t limit);

}  // namespace zt40
