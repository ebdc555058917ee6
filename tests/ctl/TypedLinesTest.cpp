// Typed lines from a scripted input: lines cut anywhere by the reads, the length limit at its
// edge, input that never ends a line, and signals between reads.
#include <gtest/gtest.h>

#include <algorithm>
#include <deque>
#include <string>
#include <vector>

#include "ctl/TypedLines.h"

namespace zt40 {
namespace {

// One read's worth: bytes, kNothing (a signal or a wait that ran out), or "" for the end.
const std::string kNothing = "\x01nothing";

struct ScriptedInput {
    std::deque<std::string> reads;
    std::size_t interruptAfterReads = SIZE_MAX;  // the flag goes up after this many reads
    std::size_t readsDone = 0;

    std::ptrdiff_t ReadSome(std::span<char> into) {
        ++readsDone;
        if (reads.empty()) return 0;
        std::string& next = reads.front();
        if (next == kNothing) {
            reads.pop_front();
            return -1;
        }
        if (next.empty()) return 0;
        const std::size_t n = std::min(into.size(), next.size());
        std::copy_n(next.begin(), n, into.begin());
        next.erase(0, n);
        if (next.empty()) reads.pop_front();
        return static_cast<std::ptrdiff_t>(n);
    }
};

// What Next() gave, one entry a call: the line's text, or <end>, <too long>, <interrupted>.
std::vector<std::string> Drain(ScriptedInput& input, std::size_t calls) {
    TypedLines lines([&input](std::span<char> into) { return input.ReadSome(into); },
                     [&input] { return input.readsDone >= input.interruptAfterReads; });
    std::vector<std::string> got;
    for (std::size_t i = 0; i < calls; ++i) {
        const TypedLine line = lines.Next();
        switch (line.end) {
        case LineEnd::Line: got.push_back(line.text); break;
        case LineEnd::EndOfInput: got.emplace_back("<end>"); break;
        case LineEnd::TooLong: got.emplace_back("<too long>"); break;
        case LineEnd::Interrupted: got.emplace_back("<interrupted>"); break;
        }
    }
    return got;
}

TEST(TypedLines, SplitsWhateverTheReadsBringIntoBoundedLines) {
    const std::string limit(kMaxTypedLineBytes, 'a');
    const std::string over(kMaxTypedLineBytes + 1, 'b');
    const std::string zeros(4096, '\0');
    const struct {
        const char* name;
        std::deque<std::string> reads;
        std::size_t interruptAfterReads;
        std::vector<std::string> expected;
    } cases[] = {
        {"SeveralLinesInOneRead", {"A1\nB2\n\nNone\n"}, SIZE_MAX, {"A1", "B2", "", "None", "<end>"}},
        {"LineCutAcrossReads", {"A", "1", "\nB", "2\n"}, SIZE_MAX, {"A1", "B2", "<end>"}},
        {"LastLineWithoutItsEnd", {"A1\nB2"}, SIZE_MAX, {"A1", "B2", "<end>", "<end>"}},
        {"NothingAtAll", {}, SIZE_MAX, {"<end>", "<end>"}},
        {"ExactlyTheLimit", {limit + "\nA1\n"}, SIZE_MAX, {limit, "A1", "<end>"}},
        {"ExactlyTheLimitWithoutItsEnd", {limit}, SIZE_MAX, {limit, "<end>"}},
        {"OneByteOver", {over + "\nA1\n"}, SIZE_MAX, {"<too long>", "<too long>"}},
        {"OneByteOverInPieces", {over.substr(0, 100), over.substr(100), "\n"}, SIZE_MAX, {"<too long>"}},
        {"OverWithoutItsEnd", {over}, SIZE_MAX, {"<too long>"}},
        // Lines moved to the front of the buffer between reads keep their bytes.
        {"LongLinesBehindEachOther",
         {std::string(200, 'c') + "\n" + limit.substr(0, 150), limit.substr(150) + "\n" + "D0\n"},
         SIZE_MAX,
         {std::string(200, 'c'), limit, "D0", "<end>"}},
        {"ZerosThatNeverEnd", {zeros, zeros, zeros, zeros}, SIZE_MAX, {"<too long>"}},
        {"SignalWhileWaiting", {"A", kNothing, "1\n"}, 2, {"<interrupted>", "<interrupted>"}},
        {"WaitsThatRanOutAreWaitedAgain", {kNothing, "A1", kNothing, "\n"}, SIZE_MAX, {"A1", "<end>"}},
        // A line already there is not handed out once the flag is up.
        {"SignalBeforeAWholeLine", {"A1\nB2\n"}, 1, {"<interrupted>"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        ScriptedInput input{c.reads, c.interruptAfterReads};
        EXPECT_EQ(Drain(input, c.expected.size()), c.expected);
    }
}

// An ended input is not read again: a file of zeros costs one buffer, not the whole file.
TEST(TypedLines, AnEndIsFinalAndReadsNoMore) {
    const std::string zeros(1 << 16, '\0');
    for (const auto& reads : {std::deque<std::string>{zeros}, std::deque<std::string>{"A1"}}) {
        ScriptedInput input{reads};
        Drain(input, 5);
        EXPECT_LE(input.readsDone, 3u);
    }
}

}  // namespace
}  // namespace zt40
