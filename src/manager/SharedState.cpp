#include "SharedState.h"

#include <charconv>

namespace corvane {

namespace {

class SilentPrompter final : public Prompter {
public:
    PromptAnswer ask(const Prompt& prompt) override
    {
        switch (prompt.buttons) {
        case PromptButtons::YesNo:
        case PromptButtons::YesNoCancel:
            return PromptAnswer::Yes;
        case PromptButtons::Ok:
        case PromptButtons::OkCancel:
            break;
        }
        return PromptAnswer::Ok;
    }
    void beep() override { }
};

} // namespace

SharedState::SharedState()
    : m_prompter(std::make_shared<SilentPrompter>())
{
}

SharedState& SharedState::instance()
{
    static SharedState state;
    return state;
}

void SharedState::reset()
{
    auto keptPrompter = m_prompter;
    *this = SharedState();
    m_prompter = keptPrompter;
}

std::uint32_t SharedState::colourForLetter(char letter, std::uint32_t fallback) const
{
    const int entry = static_cast<unsigned char>(letter) - 64;
    if (entry < 0 || static_cast<std::size_t>(entry) >= palette.size())
        return fallback;
    const std::string& text = palette[static_cast<std::size_t>(entry)];
    long long value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc() || end == text.data() || value < 0 || value > 0xFFFFFF)
        return fallback;
    return static_cast<std::uint32_t>(value);
}

Prompter& SharedState::prompter() const
{
    return *m_prompter;
}

void SharedState::setPrompter(std::shared_ptr<Prompter> prompter)
{
    if (prompter)
        m_prompter = std::move(prompter);
}

std::string SharedState::messageTitle() const
{
    std::string title;
    if (utils) {
        try {
            utils->GetMessageTitle(title);
        } catch (...) {
            title.clear();
        }
    }
    return title;
}

bool SharedState::developerMode() const
{
    bool on = false;
    if (utils) {
        try {
            utils->GetDeveloperMode(on);
        } catch (...) {
            on = false;
        }
    }
    return on;
}

} // namespace corvane
