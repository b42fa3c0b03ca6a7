// Requests as a host's server link would pass them to the reference server: one request per line (a line that does
// not start with a bar continues the one before, so payloads keep their line breaks), sent as the operator the first
// byte picks, through both reply framings. The server lives for a batch of inputs so that multi-piece posts and
// saved settings are reached, then starts again from its seed so the database stays small.
#include "PracticeServer.h"

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace {

constexpr int inputsPerServer = 64;
constexpr const char* operators[] = {"JSMITH", "LGARCIA", "DKIM", "MJONES", "NOBODY", ""};

std::vector<std::string> requestsOf(std::string_view input)
{
    std::vector<std::string> requests;
    std::size_t start = 0;
    while (start <= input.size()) {
        std::size_t end = input.find("\n|", start);
        if (end == std::string_view::npos)
            end = input.size();
        requests.emplace_back(input.substr(start, end - start));
        start = end + 1;
    }
    return requests;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    static std::unique_ptr<corvane::reference::PracticeServer> server;
    static int served = 0;
    if (size == 0)
        return 0;
    if (!server || ++served % inputsPerServer == 0)
        server = std::make_unique<corvane::reference::PracticeServer>(":memory:");
    const std::string operatorCode = operators[data[0] % std::size(operators)];
    const std::string_view input(reinterpret_cast<const char*>(data + 1), size - 1);
    for (const std::string& request : requestsOf(input)) {
        const std::vector<std::string> lines = server->answerLines(request, operatorCode);
        // Every DirectComm reply is framed: an "|OK||" or error first line and "|END|" last.
        if (lines.size() < 2 || lines.back() != "|END|")
            __builtin_trap();
        (void)server->answerString(request, operatorCode);
    }
    return 0;
}
