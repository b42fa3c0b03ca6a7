#pragma once

#include "corvanedialogs_export.h"

#include <memory>
#include <string>

namespace corvane {

class ChargeSet;

/// Edits a charge slip set handed in and out as one string: groups of diagnosis or procedure codes.
class CORVANEDIALOGS_EXPORT ChargeSlipSetDialog {
public:
    ChargeSlipSetDialog();
    ~ChargeSlipSetDialog();

    /// When true the set is only shown; the group window's edit button reads "&View".
    void ReadOnly(bool readOnly);
    /// Reads GridData into the set and shows the group window modally. Each call starts from the string given.
    void ShowDialog(const std::string& GridData);
    /// The set as a string of the same layout.
    std::string GetData() const;
    /// True when the group window was closed with Cancel or its close box.
    bool Cancelled() const;

private:
    std::unique_ptr<ChargeSet> m_set;
    bool m_readOnly = false;
    bool m_cancelled = true;
};

} // namespace corvane
