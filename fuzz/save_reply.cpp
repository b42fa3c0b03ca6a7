// Any reply to a save: judged without a host, then through CheckForErrorOnSave with no components at all.
#include "CheckForErrorOnSave.h"

#include <cstddef>
#include <cstdint>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string reply(reinterpret_cast<const char*>(data), size);
    const corvane::SaveVerdict verdict = corvane::judgeSaveReply(reply);
    if (reply.empty() && !verdict.saved)
        __builtin_trap();
    (void)corvane::CheckForErrorOnSave(reply);
    return 0;
}
