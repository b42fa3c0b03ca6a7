#pragma once

#include "Prompter.h"

namespace corvane {

/// Shows prompts in QMessageBox over the active window; the default prompter of a host.
class MessageBoxPrompter final : public Prompter {
public:
    PromptAnswer ask(const Prompt& prompt) override;
    void beep() override;
    std::optional<std::string> askText(const Prompt& prompt, bool masked) override;
};

} // namespace corvane
