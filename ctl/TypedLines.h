#pragma once
// Lines typed at a prompt, read in pieces of a fixed buffer: whatever arrives on standard
// input (a file of zeros, a pasted novel), the program holds at most the buffer and notices a
// signal between pieces.
#include <array>
#include <cstddef>
#include <functional>
#include <optional>
#include <span>
#include <string>

namespace zt40 {

// No reading or answer comes near this; a longer line is taken for input gone wrong.
inline constexpr std::size_t kMaxTypedLineBytes = 256;

enum class LineEnd {
    Line,         // a line, without its end
    EndOfInput,   // nothing more will come (or the input failed)
    TooLong,      // a line longer than kMaxTypedLineBytes
    Interrupted,  // asked to stop
};

struct TypedLine {
    LineEnd end = LineEnd::EndOfInput;
    std::string text;  // for Line only
};

// Reads what is there into `into`: the count (> 0), 0 at the end of input or on a failure
// that reading again would not mend, or a negative value when nothing came this time (a
// signal, or a wait that ran out), after which `interrupted` is asked and reading goes on.
using ReadSomeFn = std::function<std::ptrdiff_t(std::span<char> into)>;

class TypedLines {
public:
    TypedLines(ReadSomeFn readSome, std::function<bool()> interrupted)
        : m_readSome(std::move(readSome)), m_interrupted(std::move(interrupted)) {}

    // The next line. An end other than Line is final: every later call gives it again
    // without reading. A last line without its end still counts as a line.
    TypedLine Next();

private:
    TypedLine Ended(LineEnd end);

    ReadSomeFn m_readSome;
    std::function<bool()> m_interrupted;
    // Room for a whole line of the longest kind and more behind it, so that one read can
    // bring several short lines.
    std::array<char, 4 * kMaxTypedLineBytes> m_buffer{};
    std::size_t m_begin = 0;
    std::size_t m_end = 0;
    std::optional<LineEnd> m_ended;
};

}  // namespace zt40
