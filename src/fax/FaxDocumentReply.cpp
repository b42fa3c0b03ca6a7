#include "FaxDocumentReply.h"

#include "Text.h"

#include <algorithm>

namespace corvane {

namespace {
constexpr std::string_view editedPrefix = "ERROR:  Document is being edit";
}

FaxDocumentReply FaxDocumentReply::read(std::string_view reply)
{
    FaxDocumentReply result;
    result.text = std::string(reply);
    if (!text::startsWithNoCase(reply, "ERROR")) {
        result.documentId = std::string(text::trim(reply));
        return result;
    }
    if (!text::startsWithNoCase(reply, editedPrefix)) {
        result.kind = Kind::Error;
        return result;
    }
    result.kind = Kind::BeingEdited;
    // "ERROR:  Document is being edited by JSMITH": the name follows "by ", not character 31.
    std::string_view rest = reply.substr(editedPrefix.size());
    rest = rest.substr(std::min(rest.size(), rest.find(' ')));
    rest = text::trim(rest);
    if (text::startsWithNoCase(rest, "by "))
        rest = rest.substr(3);
    result.user = std::string(text::trim(rest));
    return result;
}

} // namespace corvane
