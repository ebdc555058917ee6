#pragma once
// Operator texts. The core never hands the window a finished sentence: it holds the English
// source text, marked so that the translation tools find it, and the user interface
// translates it (both editions); the command line prints the English as it stands.
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace zt40 {

struct Text {
    const char* context = nullptr;  // the translation context, e.g. "CPinwardenDlg"
    const char* source = nullptr;   // the English text, with %1 ... %9 for arguments
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

    static Message Of(Text text, std::vector<std::string> args = {}) { return {text, std::move(args), {}}; }
    static Message Verbatim(std::string text) { return {{}, {}, std::move(text)}; }
    bool IsVerbatim() const { return text.source == nullptr; }
    // The English edition: the source text with its arguments filled in.
    std::string English() const;
};

}  // namespace zt40
