#pragma once
// A message box that remembers what it was asked to show and answers from a script.
#include <deque>
#include <string>
#include <vector>

#include "platform/MessageBox.h"

namespace zt40 {

class RecordingMessageBox : public IMessageBox {
public:
    struct Shown {
        std::string text;  // the English edition
        Message message;
        MbButtons buttons;
        MbIcon icon;
    };

    // The next boxes answer these, in order; after that every box answers `fallback`.
    void Script(std::vector<MbResult> answers) { m_answers.assign(answers.begin(), answers.end()); }
    void SetFallback(MbResult fallback) { m_fallback = fallback; }

    MbResult Show(const Message& message, MbButtons buttons, MbIcon icon) override {
        m_shown.push_back({message.English(), message, buttons, icon});
        if (m_answers.empty()) return m_fallback;
        const MbResult answer = m_answers.front();
        m_answers.pop_front();
        return answer;
    }

    const std::vector<Shown>& ShownBoxes() const { return m_shown; }
    std::vector<std::string> Texts() const {
        std::vector<std::string> texts;
        for (const auto& box : m_shown) texts.push_back(box.text);
        return texts;
    }
    void Clear() { m_shown.clear(); }

private:
    std::vector<Shown> m_shown;
    std::deque<MbResult> m_answers;
    MbResult m_fallback = MbResult::Ok;
};

}  // namespace zt40
