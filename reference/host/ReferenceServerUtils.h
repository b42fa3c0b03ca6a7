#pragma once

#include "CorvaneServerUtils.h"
#include "ReferenceCodeTables.h"

#include <memory>

namespace corvane::reference {

/// The server-utilities component: validates a typed code against the code table a lookup names.
class ReferenceServerUtils final : public CorvaneServerUtils {
public:
    explicit ReferenceServerUtils(std::shared_ptr<ReferenceCodeTables> tables);
    void ValidateCode(const std::string& lookupName, const std::string& code, const std::string& contextKey,
                      CodeVerdict& verdict) override;

private:
    std::shared_ptr<ReferenceCodeTables> m_tables;
};

} // namespace corvane::reference
