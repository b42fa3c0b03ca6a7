#pragma once

#include <optional>
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
    /// The button Enter presses; without one, the first button.
    std::optional<PromptAnswer> defaultAnswer;
    /// A developer dump: shown whole in a scrollable window. Other texts too long to read are cut for display and
    /// written whole to the log.
    bool wholeText = false;
};

/// Every message and question of the library goes through the one prompter.
class Prompter {
public:
    virtual ~Prompter() = default;

    virtual PromptAnswer ask(const Prompt& prompt) = 0;
    virtual void beep() = 0;
    /// Asks for a line of text (hidden as it is typed when masked); the wire text, or nothing when the operator
    /// cancelled or the prompter cannot ask.
    virtual std::optional<std::string> askText(const Prompt& prompt, bool masked)
    {
        (void)prompt;
        (void)masked;
        return std::nullopt;
    }
};

} // namespace corvane
