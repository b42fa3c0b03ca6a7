#pragma once

#include "corvanedialogs_export.h"

#include <string>

namespace corvane {

/// The collections window: criteria for working a collection list, and the message to post on each account.
class CORVANEDIALOGS_EXPORT CollectionDialog {
public:
    /// Clears MessageData and ContinueNextAcct, shows the window modally, then hands back the message record
    /// (date, code, description, account, list, "True"/"False" for selected criteria, message type; tab-separated)
    /// and whether to continue with the next account. Returns true, or false when the window could not be shown.
    bool ShowDialog(std::string& MessageData, bool& ContinueNextAcct);
};

} // namespace corvane
