#include "Messages.h"

#include "SharedState.h"

namespace corvane {

void tell(const std::string& text, PromptIcon icon, const std::string& title)
{
    auto& state = SharedState::instance();
    Prompt prompt {title.empty() ? state.messageTitle() : title, text, icon, PromptButtons::Ok};
    state.prompter().ask(prompt);
}

PromptAnswer ask(const std::string& text, PromptButtons buttons, PromptAnswer defaultAnswer, PromptIcon icon,
                 const std::string& title)
{
    auto& state = SharedState::instance();
    Prompt prompt {title.empty() ? state.messageTitle() : title, text, icon, buttons};
    prompt.defaultAnswer = defaultAnswer;
    return state.prompter().ask(prompt);
}

} // namespace corvane
