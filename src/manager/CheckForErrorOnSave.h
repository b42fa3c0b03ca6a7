#pragma once

#include <string>
#include <string_view>

namespace corvane {

/// How a save reply is to be shown and taken.
struct SaveVerdict {
    enum class Show { Nothing, UtilsMessage, CriticalBox };

    bool saved = true;
    Show show = Show::Nothing;
    std::string title; ///< empty: the application title
    std::string text;
};

/// Judges a reply to a save without showing anything.
SaveVerdict judgeSaveReply(std::string_view reply);

/// Judges a reply to a save, shows what the server said and returns true when the save may be taken as done.
bool CheckForErrorOnSave(const std::string& reply);

} // namespace corvane
