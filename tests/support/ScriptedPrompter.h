#pragma once

#include "Prompter.h"

#include <gtest/gtest.h>

#include <deque>
#include <optional>
#include <string>
#include <vector>

namespace corvane::test {

/// Answers prompts from a script and records every one; a prompt nobody expected fails the test.
class ScriptedPrompter final : public Prompter {
public:
    /// The next prompt is expected; it is answered with answer.
    void expect(PromptAnswer answer) { m_script.push_back(answer); }

    PromptAnswer ask(const Prompt& prompt) override
    {
        prompts.push_back(prompt);
        if (m_script.empty()) {
            ADD_FAILURE() << "unexpected prompt \"" << prompt.title << "\": " << prompt.text;
            return prompt.buttons == PromptButtons::YesNo || prompt.buttons == PromptButtons::YesNoCancel
                ? PromptAnswer::No
                : PromptAnswer::Cancel;
        }
        const PromptAnswer answer = m_script.front();
        m_script.pop_front();
        return answer;
    }
    void beep() override { ++beeps; }

    /// The next text prompt is expected; it is answered with text (nothing: the operator cancels).
    void expectText(std::optional<std::string> text) { m_textScript.push_back(std::move(text)); }

    std::optional<std::string> askText(const Prompt& prompt, bool masked) override
    {
        prompts.push_back(prompt);
        maskedAsks.push_back(masked);
        if (m_textScript.empty()) {
            ADD_FAILURE() << "unexpected text prompt \"" << prompt.title << "\": " << prompt.text;
            return std::nullopt;
        }
        auto answer = std::move(m_textScript.front());
        m_textScript.pop_front();
        return answer;
    }

    std::size_t unansweredExpectations() const { return m_script.size() + m_textScript.size(); }

    std::vector<Prompt> prompts;
    std::vector<bool> maskedAsks; ///< per text prompt, whether it was masked
    int beeps = 0;

private:
    std::deque<PromptAnswer> m_script;
    std::deque<std::optional<std::string>> m_textScript;
};

} // namespace corvane::test
