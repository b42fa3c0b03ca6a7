#pragma once

#include "CorvaneLookups.h"
#include "ReferenceCodeTables.h"

#include <functional>
#include <memory>

namespace corvane::reference {

class LookupWindow;

/// The lookup component: shows a LookupWindow over the code table the definition names.
class ReferenceLookups final : public CorvaneLookups {
public:
    explicit ReferenceLookups(std::shared_ptr<ReferenceCodeTables> tables);

    /// Runs the lookup window; replaceable so that tests can choose without a modal window.
    std::function<int(LookupWindow&)> runWindow;

    void SetUp(const LookupSetup& setup) override;
    std::string Lookup(const LookupCall& call) override;
    std::int16_t ChosenNumber() override { return m_chosenNumber; }
    std::string ChosenDescription() override { return m_chosenDescription; }
    std::string CheckCode(const std::string& lookupName, const std::string& code, long first, long second) override;

private:
    std::shared_ptr<ReferenceCodeTables> m_tables;
    LookupSetup m_setup;
    std::int16_t m_chosenNumber = 0;
    std::string m_chosenDescription;
};

} // namespace corvane::reference
