// A form layout file's header (lines at LF, fields at TAB) and the image pieces cut from the same bytes.
#include "CustomFormFile.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    const corvane::CustomFormHeader header = corvane::CustomFormFile::readHeader(text);
    if (!header.hasHeader && (!header.name.empty() || !header.code.empty() || !header.images.empty()))
        __builtin_trap();
    for (const std::string& image : header.images) {
        if (image.empty())
            __builtin_trap();
    }
    // Every byte survives the cut, whatever it is, and no request is longer than the limit.
    const std::string code = header.code.substr(0, 40);
    const std::string image = header.images.empty() ? std::string("image.bin") : header.images.front().substr(0, 80);
    std::string joined;
    for (const std::string& request : corvane::CustomFormUpload::imageRequests(code, image, text)) {
        if (request.size() > corvane::CustomFormUpload::requestLimit)
            __builtin_trap();
        std::size_t bars = 0;
        std::size_t at = 0;
        while (bars < 6 && at < request.size()) {
            if (request[at++] == '|')
                ++bars;
        }
        joined += request.substr(at);
    }
    if (!code.empty() && code.find('|') == std::string::npos && image.find('|') == std::string::npos && joined != text)
        __builtin_trap();
    return 0;
}
