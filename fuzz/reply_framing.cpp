// Reply lines as the server link hands them over: split the input at newlines, frame and join them.
#include "ReplyFraming.h"
#include "Text.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string input(reinterpret_cast<const char*>(data), size);
    std::vector<std::string> lines;
    for (auto piece : corvane::text::split(input, '\n'))
        lines.emplace_back(piece);
    const std::string joined = corvane::ReplyFraming::joinData(lines);
    if (joined.size() > input.size() * 2 + 2)
        __builtin_trap();
    for (const auto& line : lines)
        (void)corvane::ReplyFraming::isErrorLine(line);
    const auto status = corvane::StatusReply::parse(input);
    (void)corvane::ReplyFraming::colonsAsLineBreaks(status.message());
    return 0;
}
