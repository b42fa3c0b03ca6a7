#pragma once

#include "corvanedialogs_export.h"

namespace corvane {

/// Opens the STW grid window titled "Codes Cross Reference"; a fresh window for each call.
class CORVANEDIALOGS_EXPORT STWDialog {
public:
    /// Shows the window modally and returns true once it has closed (also when the operator may not open it);
    /// false when opening or running it failed.
    bool ShowSTWDialog();
};

} // namespace corvane
