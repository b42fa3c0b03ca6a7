// The replies of TRANID, FAXCONFIG and RFG: none may crash or read past the reply.
#include "FaxDocumentReply.h"
#include "FaxRecipient.h"
#include "FaxResendList.h"
#include "FaxSenderDefaults.h"

#include <cstddef>
#include <cstdint>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string_view reply(reinterpret_cast<const char*>(data), size);
    const corvane::FaxDocumentReply document = corvane::FaxDocumentReply::read(reply);
    if (document.user.size() > size || document.documentId.size() > size)
        __builtin_trap();
    if (const auto recipient = corvane::FaxRecipient::read(reply)) {
        if (recipient->name.size() > size)
            __builtin_trap();
        (void)corvane::FaxRecipient::methodFor(recipient->delivery);
    }
    (void)corvane::FaxSenderDefaults::read(reply);
    // A resend list written back reads the same.
    const auto entries = corvane::FaxResendList::parse(reply);
    const std::string joined = corvane::FaxResendList::join(entries);
    const auto again = corvane::FaxResendList::parse(joined);
    if (again.size() != entries.size() || corvane::FaxResendList::join(again) != joined)
        __builtin_trap();
    return 0;
}
