#pragma once

#include "Prompter.h"

#include <string>

namespace corvane {

/// Shows text to the operator through the one prompter, titled with the application title unless title is given.
void tell(const std::string& text, PromptIcon icon = PromptIcon::None, const std::string& title = {});
/// Asks the operator; defaultAnswer is the button Enter presses.
PromptAnswer ask(const std::string& text, PromptButtons buttons, PromptAnswer defaultAnswer,
                 PromptIcon icon = PromptIcon::Question, const std::string& title = {});

} // namespace corvane
