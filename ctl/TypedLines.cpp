#include "ctl/TypedLines.h"

#include <algorithm>

namespace zt40 {

TypedLine TypedLines::Ended(LineEnd end) {
    m_ended = end;
    return {end, {}};
}

TypedLine TypedLines::Next() {
    if (m_ended) return {*m_ended, {}};
    for (;;) {
        if (m_interrupted && m_interrupted()) return Ended(LineEnd::Interrupted);
        const auto pending = std::span(m_buffer).subspan(m_begin, m_end - m_begin);
        const auto newline = std::ranges::find(pending, '\n');
        const auto length = static_cast<std::size_t>(newline - pending.begin());
        if (length > kMaxTypedLineBytes) return Ended(LineEnd::TooLong);
        if (newline != pending.end()) {
            m_begin += length + 1;
            return {LineEnd::Line, std::string(pending.data(), length)};
        }
        // A partial line moves to the front, leaving the rest of the buffer to read into.
        if (m_begin != 0) std::ranges::copy(pending, m_buffer.begin());
        m_begin = 0;
        m_end = pending.size();
        const std::ptrdiff_t got = m_readSome(std::span(m_buffer).subspan(m_end));
        if (got == 0) {
            m_ended = LineEnd::EndOfInput;
            if (m_end == 0) return {LineEnd::EndOfInput, {}};
            TypedLine last{LineEnd::Line, std::string(m_buffer.data(), m_end)};
            m_end = 0;
            return last;
        }
        if (got > 0) m_end += std::min(static_cast<std::size_t>(got), m_buffer.size() - m_end);
    }
}

}  // namespace zt40
