#pragma once

#include "corvanedialogs_export.h"

namespace corvane {

/// The system settings window: the practice's system-wide settings and the operators, one page per setting.
class CORVANEDIALOGS_EXPORT SystemSettingsDialog {
public:
    /// Shows a fresh settings window modally; true once it has closed, false (logged) when it could not be shown.
    bool ShowDialog();
};

} // namespace corvane
