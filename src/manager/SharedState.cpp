#include "SharedState.h"

#include "Log.h"

#include <charconv>

namespace corvane {

namespace {

// Nobody can be asked: the text goes to the log and the answer is the one that changes nothing.
class LoggingPrompter final : public Prompter {
public:
    PromptAnswer ask(const Prompt& prompt) override
    {
        Log::line("CorvaneDialogs: no window to show \"" + prompt.title + "\": " + prompt.text);
        if (prompt.defaultAnswer)
            return *prompt.defaultAnswer;
        switch (prompt.buttons) {
        case PromptButtons::YesNo:
            return PromptAnswer::No;
        case PromptButtons::OkCancel:
        case PromptButtons::YesNoCancel:
            return PromptAnswer::Cancel;
        case PromptButtons::Ok:
            break;
        }
        return PromptAnswer::Ok;
    }
    void beep() override { }
};

} // namespace

SharedState::SharedState()
    : m_standIn(std::make_shared<LoggingPrompter>())
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
    auto keptFactory = m_prompterFactory;
    *this = SharedState();
    m_prompter = std::move(keptPrompter);
    m_prompterFactory = std::move(keptFactory);
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

Prompter& SharedState::prompter()
{
    if (!m_prompter && m_prompterFactory)
        m_prompter = m_prompterFactory();
    return m_prompter ? *m_prompter : *m_standIn;
}

void SharedState::setPrompter(std::shared_ptr<Prompter> prompter)
{
    m_prompter = std::move(prompter);
}

void SharedState::setDefaultPrompterFactory(std::function<std::shared_ptr<Prompter>()> factory)
{
    m_prompterFactory = std::move(factory);
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
