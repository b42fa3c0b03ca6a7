#pragma once

#include <string>

namespace corvane {

enum class PromptIcon { None, Information, Question, Warning, Critical };
enum class PromptButtons { Ok, OkCancel, YesNo, YesNoCancel };
enum class PromptAnswer { Ok, Cancel, Yes, No };

/// One message or question to the operator; texts are wire text, line breaks written "\r\n".
struct Prompt {
    std::string title;
    std::string text;
    PromptIcon icon = PromptIcon::None;
    PromptButtons buttons = PromptButtons::Ok;
};

/// Every message and question of the library goes through the one prompter.
class Prompter {
public:
    virtual ~Prompter() = default;

    virtual PromptAnswer ask(const Prompt& prompt) = 0;
    virtual void beep() = 0;
};

} // namespace corvane
