#pragma once
// Operator texts. The core never hands the window a finished sentence: it holds the English
// source text, marked so that the translation tools find it, and the user interface
// translates it (both editions); the command line prints the English as it stands.
#include <functional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace zt40 {

struct Text {
    const char* context = nullptr;  // the translation context, e.g. "CPinwardenDlg"
    const char* source = nullptr;   // the English text, with %1 ... %9 for arguments
    bool operator==(const Text&) const = default;
};

// Marks a source text for lupdate, which is told to read it as QT_TRANSLATE_NOOP.
#define ZT40_TR(context, source) (::zt40::Text{context, source})

// Replaces %1 ... %9 by the arguments, as QString::arg does with the translated text.
std::string FillArguments(std::string_view pattern, std::span<const std::string> args);

// What a message box or the status line shows: a marked text with its arguments, or a
// verbatim text worded by another program (the spooler's own error text).
struct Message {
    Text text;
    std::vector<std::string> args;
    std::string verbatim;  // shown as it stands when text.source is null
    // Paragraphs shown after this one, each after a blank line (a failure's reason, the values
    // a question would write): every edition joins them by the same rule.
    std::vector<Message> then;
    bool ownLine = false;  // as a paragraph of another: after a line feed only, in a list of lines

    static Message Of(Text text, std::vector<std::string> args = {}) { return {text, std::move(args), {}, {}, false}; }
    static Message Verbatim(std::string text) { return {{}, {}, std::move(text), {}, false}; }
    static Message Line(Text text, std::vector<std::string> args = {}) { return {text, std::move(args), {}, {}, true}; }
    bool IsVerbatim() const { return text.source == nullptr; }
    // This message with `next` as its last paragraph.
    Message Then(Message next) const& {
        Message joined = *this;
        joined.then.push_back(std::move(next));
        return joined;
    }
    // The English edition: the source text with its arguments filled in.
    std::string English() const;
    bool operator==(const Message&) const = default;
};

// The whole message, paragraphs included, with each single text made by `one` (the edition's
// translation of the pattern, arguments filled in), in UTF-8.
std::string Compose(const Message& message, const std::function<std::string(const Message&)>& one);

}  // namespace zt40
