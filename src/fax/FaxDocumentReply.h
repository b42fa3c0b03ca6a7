#pragma once

#include <string>
#include <string_view>

namespace corvane {

/// The reply to "|GET|TRAN|TRANID|": the document id, the name of the user editing the document, or an error.
struct FaxDocumentReply {
    enum class Kind { DocumentId, BeingEdited, Error };

    Kind kind = Kind::DocumentId;
    std::string documentId;
    std::string user; ///< who is editing the document
    std::string text; ///< the reply as received

    static FaxDocumentReply read(std::string_view reply);
};

} // namespace corvane
