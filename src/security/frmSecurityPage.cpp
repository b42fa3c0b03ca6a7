#include "frmSecurityPage.h"

#include "CheckForErrorOnSave.h"
#include "Log.h"
#include "Messages.h"
#include "ServerRequest.h"
#include "SharedState.h"

namespace corvane {

std::optional<std::string> frmSecurityPage::savePage(const SecurityContext&)
{
    return std::nullopt;
}

bool frmSecurityPage::sendSave(const std::string& request, const std::string& where, const std::string& failedText)
{
    auto& state = SharedState::instance();
    // Whether the server's text was shown is asked about this save only.
    state.saveErrorShown = false;
    const StringReply reply = ServerRequest::viaString(request);
    if (!reply.sent) {
        Log::commFailure("GetServerStringData", where);
        tell(failedText.empty() ? Log::commFailureText("GetServerStringData", where) : failedText);
        Log::line("Not saved: " + request);
        return false;
    }
    if (CheckForErrorOnSave(reply.text))
        return true;
    if (!state.saveErrorShown)
        tell(failedText.empty() ? Log::commFailureText("GetServerStringData", where) : failedText);
    Log::line("Not saved in " + where + ": " + request);
    return false;
}

QString anesthesiaSuffix(const SecurityContext& context, bool anesthesia)
{
    if (context.entityMix != "M")
        return {};
    return anesthesia ? QStringLiteral(" (Anesthesia)") : QStringLiteral(" (Non Anesthesia)");
}

} // namespace corvane
