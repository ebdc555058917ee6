#include "platform/Text.h"

namespace zt40 {

std::string FillArguments(std::string_view pattern, std::span<const std::string> args) {
    std::string out;
    out.reserve(pattern.size());
    for (std::size_t i = 0; i < pattern.size(); ++i) {
        const char c = pattern[i];
        if (c == '%' && i + 1 < pattern.size() && pattern[i + 1] >= '1' && pattern[i + 1] <= '9') {
            const auto index = static_cast<std::size_t>(pattern[i + 1] - '1');
            if (index < args.size()) {
                out += args[index];
                ++i;
                continue;
            }
        }
        out += c;
    }
    return out;
}

std::string Compose(const Message& message, const std::function<std::string(const Message&)>& one) {
    std::string out = one(message);
    for (const Message& next : message.then) out += (next.ownLine ? "\n" : "\n\n") + Compose(next, one);
    return out;
}

std::string Message::English() const {
    return Compose(*this, [](const Message& m) { return m.IsVerbatim() ? m.verbatim : FillArguments(m.text.source, m.args); });
}

}  // namespace zt40
