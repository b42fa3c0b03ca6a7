#pragma once

#include "corvanedialogs_export.h"

namespace corvane {

/// The security settings window: module access, entity access, modify-transaction settings and transaction groups
/// of every operator and security group, the security programs, and copying and distributing settings.
class CORVANEDIALOGS_EXPORT SecurityDialog {
public:
    /// Shows the window modally; true once it has closed, false when it could not be shown.
    bool ShowDialog();
};

} // namespace corvane
