#include "CheckForErrorOnSave.h"

#include "Log.h"
#include "ReplyFraming.h"
#include "SharedState.h"
#include "Text.h"

namespace corvane {

namespace {

SaveVerdict judgeSingleField(std::string_view field)
{
    SaveVerdict verdict;
    const std::string folded = text::upper(text::trim(field));
    if (folded.find("ERROR") != std::string::npos) {
        verdict = {false, SaveVerdict::Show::UtilsMessage, {}, ReplyFraming::colonsAsLineBreaks(field)};
    } else if (folded.find("WARNING") != std::string::npos) {
        verdict = {true, SaveVerdict::Show::UtilsMessage, {}, ReplyFraming::colonsAsLineBreaks(field)};
    } else if (!folded.empty() && folded != "1") {
        verdict = {false, SaveVerdict::Show::CriticalBox, {}, std::string(field)};
    }
    return verdict;
}

SaveVerdict judgeStatusFields(const StatusReply& reply)
{
    const std::string status = text::upper(text::trim(reply.status()));
    const std::string title(reply.title());
    const std::string message = ReplyFraming::colonsAsLineBreaks(reply.message());
    if (status == "ERROR")
        return {false, SaveVerdict::Show::UtilsMessage, title, message};
    if (status == "WARNING")
        return {true, SaveVerdict::Show::UtilsMessage, title, message};
    if (status.empty())
        return {};
    std::string text = "Save Data error :";
    text += text::lineBreak;
    text += reply.status();
    text += text::lineBreak;
    text += text::lineBreak;
    text += message;
    return {false, SaveVerdict::Show::CriticalBox, title, text};
}

} // namespace

SaveVerdict judgeSaveReply(std::string_view reply)
{
    if (reply.empty())
        return {};
    const StatusReply fields = StatusReply::parse(reply);
    if (fields.fields.size() == 1)
        return judgeSingleField(fields.fields.front());
    if (fields.fields.size() <= 3)
        return {};
    return judgeStatusFields(fields);
}

bool CheckForErrorOnSave(const std::string& reply)
{
    return trapped("ERR in CorvaneDialogs.CheckForErrorOnSave   ", false, [&] {
        auto& state = SharedState::instance();
        const SaveVerdict verdict = judgeSaveReply(reply);
        if (verdict.show == SaveVerdict::Show::Nothing)
            return verdict.saved;
        const std::string title = verdict.title.empty() ? state.messageTitle() : verdict.title;
        if (verdict.show == SaveVerdict::Show::UtilsMessage && state.utils)
            state.utils->ShowMessage(verdict.text, title);
        else
            state.prompter().ask({title, verdict.text, PromptIcon::Critical, PromptButtons::Ok});
        state.saveErrorShown = true;
        return verdict.saved;
    });
}

} // namespace corvane
