#pragma once

#include "Prompter.h"

#include <gtest/gtest.h>

#include <deque>
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

    std::size_t unansweredExpectations() const { return m_script.size(); }

    std::vector<Prompt> prompts;
    int beeps = 0;

private:
    std::deque<PromptAnswer> m_script;
};

} // namespace corvane::test
