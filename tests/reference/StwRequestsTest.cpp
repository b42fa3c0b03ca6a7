#include "PracticeServer.h"
#include "TempDir.h"

#include <gtest/gtest.h>

#include <chrono>
#include <csignal>
#include <cstdio>
#include <filesystem>
#include <random>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

namespace corvane::reference {
namespace {

constexpr std::size_t pieceLength = 9000;

/// One entry of a save text, exactly length bytes long, byte 230 included: the number, Active, a diagnosis and a
/// procedure (both required), the diagnosis description padded to length, empty cells and the unique Xref code.
std::string entry(int number, std::size_t length, const std::string& xref)
{
    const std::string start = std::to_string(number) + "\t1\tI10\t";
    const std::string end = "\t99213" + std::string(13, '\t') + xref + "\xE6";
    EXPECT_GE(length, start.size() + end.size());
    return start + std::string(length - start.size() - end.size(), 'd') + end;
}

/// A save text of count entries of length bytes each, Xref codes tag followed by the entry number.
std::string saveText(int count, std::size_t length, const std::string& tag)
{
    std::string text;
    for (int i = 1; i <= count; ++i) {
        char xref[16];
        std::snprintf(xref, sizeof xref, "%s%04d", tag.c_str(), i);
        text += entry(i, length, xref);
    }
    return text;
}

/// The requests of a post: pieces of exactly 9000 characters, ended by a shorter one (empty when the text fills
/// its pieces exactly).
std::vector<std::string> postRequests(const std::string& text)
{
    std::vector<std::string> requests;
    std::size_t at = 0;
    for (int n = 1;; ++n) {
        const std::string piece = text.substr(std::min(at, text.size()), pieceLength);
        requests.push_back("|SET|STW|" + std::to_string(n) + "|" + piece);
        at += pieceLength;
        if (piece.size() < pieceLength)
            return requests;
    }
}

class StwRequestsTest : public ::testing::Test {
protected:
    std::vector<std::string> grid(PracticeServer& server) { return server.answerLines("|GET|STW|1|", "JSMITH"); }
    std::vector<std::string> send(PracticeServer& server, const std::string& request)
    {
        return server.answerLines(request, "JSMITH");
    }
    /// The Xref codes of the grid's data rows, in order.
    static std::vector<std::string> xrefs(const std::vector<std::string>& lines)
    {
        std::vector<std::string> codes;
        // "|OK||", the header, the data rows, the new-entry row, "|END|".
        for (std::size_t i = 2; i + 2 < lines.size(); ++i) {
            const std::string& line = lines[i];
            const std::size_t last = line.rfind('\t');
            codes.push_back(line.substr(last + 1, line.size() - last - 1 - 6));
        }
        return codes;
    }

    test::TempDir dir;
    std::string path = dir.file("practice.db");
};

TEST_F(StwRequestsTest, APostBrokenAfterAnyPieceLeavesTheTableAsItWasWhereverThePiecesEnd)
{
    // 90-byte entries put every piece boundary at the end of an entry; 97-byte entries never do.
    for (const std::size_t length : {std::size_t {90}, std::size_t {97}}) {
        SCOPED_TRACE(length);
        const std::string text = saveText(505, length, "N");
        const auto requests = postRequests(text);
        ASSERT_EQ(requests.size(), 6u);
        {
            PracticeServer server(path);
            const auto before = grid(server);
            for (std::size_t broken = 1; broken < requests.size(); ++broken) {
                for (std::size_t i = 0; i < broken; ++i)
                    EXPECT_EQ(send(server, requests[i]), (std::vector<std::string> {"|OK||", "1", "|END|"}));
                EXPECT_EQ(grid(server), before) << "reading after piece " << broken;
                EXPECT_EQ(grid(server), before) << "and reading again";
            }
        }
        {
            PracticeServer restarted(path);
            EXPECT_EQ(xrefs(grid(restarted)).size(), 320u) << "the pieces kept over a restart are never a post";
            for (const auto& request : requests)
                send(restarted, request);
            const auto after = xrefs(grid(restarted));
            ASSERT_EQ(after.size(), 505u) << "a new piece 1 started afresh";
            EXPECT_EQ(after.front(), "N0001");
            EXPECT_EQ(after.back(), "N0505");
        }
        std::filesystem::remove(path);
    }
}

TEST_F(StwRequestsTest, ATextThatFillsItsPiecesExactlyIsStoredByTheEmptyClosingPieceOnly)
{
    PracticeServer server(path);
    const auto before = grid(server);
    const std::string text = saveText(200, 90, "E");
    ASSERT_EQ(text.size(), 2 * pieceLength);
    const auto requests = postRequests(text);
    ASSERT_EQ(requests.size(), 3u);
    EXPECT_EQ(requests[2], "|SET|STW|3|");
    send(server, requests[0]);
    send(server, requests[1]);
    EXPECT_EQ(grid(server), before) << "two full pieces are not yet a post";
    EXPECT_EQ(send(server, requests[2]), (std::vector<std::string> {"|OK||", "1", "|END|"}));
    const auto after = xrefs(grid(server));
    ASSERT_EQ(after.size(), 200u);
    EXPECT_EQ(after.back(), "E0200");
}

TEST_F(StwRequestsTest, PiecesOutOfOrderTooLongOrRefusedStoreNothingAndAreForgotten)
{
    PracticeServer server(path);
    const auto before = grid(server);
    const auto requests = postRequests(saveText(290, 90, "P"));
    ASSERT_EQ(requests.size(), 3u);

    send(server, requests[0]);
    EXPECT_EQ(send(server, requests[2]).front(), "Error: piece 3 arrived without piece 2");
    EXPECT_EQ(send(server, requests[1]).front(), "Error: piece 2 arrived without piece 1")
        << "a broken sequence is forgotten";

    send(server, requests[0]);
    EXPECT_EQ(send(server, "|SET|STW|2|" + std::string(9001, 'x')).front(),
              "Error: piece 2 is longer than 9000 characters");

    send(server, requests[0]);
    send(server, requests[1]);
    std::string duplicate = requests[2];
    duplicate.replace(duplicate.size() - 6, 5, "P0001");
    EXPECT_EQ(send(server, duplicate).front(), "Error: row 290: Xref Code P0001 is already used.");
    EXPECT_EQ(grid(server), before);
    EXPECT_EQ(send(server, requests[1]).front(), "Error: piece 2 arrived without piece 1");
    EXPECT_EQ(server.database().scalar("SELECT COUNT(*) FROM stw_pending", {}, "?"), "0");

    for (const char* bad : {"|SET|STW|0|x", "|SET|STW|-1|x", "|SET|STW||x", "|SET|STW|1x|"})
        EXPECT_EQ(send(server, bad).front().rfind("Error: bad piece number", 0), 0u) << bad;
    EXPECT_EQ(grid(server), before);
}

TEST_F(StwRequestsTest, AServerKilledAtAnyMomentOfAPostHoldsOneWholeTable)
{
    {
        PracticeServer seed(path);
    }
    // Two posts whose pieces all end at an entry's end, sent over and over until the process is killed.
    const std::string first = saveText(250, 90, "A");
    const std::string second = saveText(300, 90, "B");
    std::mt19937 random(20261206);
    for (int round = 0; round < 12; ++round) {
        int started[2];
        ASSERT_EQ(pipe(started), 0);
        const auto forked = std::chrono::steady_clock::now();
        const pid_t child = fork();
        ASSERT_GE(child, 0);
        if (child == 0) {
            close(started[0]);
            PracticeServer server(path);
            const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(20);
            bool told = false;
            while (std::chrono::steady_clock::now() < deadline) {
                for (const std::string* text : {&first, &second}) {
                    for (const auto& request : postRequests(*text))
                        server.answerLines(request, "JSMITH");
                }
                if (!told)
                    told = write(started[1], "x", 1) == 1;
            }
            _exit(0);
        }
        close(started[1]);
        char byte = 0;
        EXPECT_EQ(read(started[0], &byte, 1), 1) << "the child posted both tables once";
        close(started[0]);
        // Somewhere in the next round of posts, which takes about as long as the first.
        const auto cycle
            = std::chrono::duration_cast<std::chrono::microseconds>(std::chrono::steady_clock::now() - forked);
        std::this_thread::sleep_for(std::chrono::microseconds(random() % std::max<long long>(cycle.count(), 1)));
        kill(child, SIGKILL);
        int status = 0;
        waitpid(child, &status, 0);
        EXPECT_TRUE(WIFSIGNALED(status)) << "the posts were still under way when the process died";

        PracticeServer server(path);
        const auto codes = xrefs(grid(server));
        ASSERT_FALSE(codes.empty());
        const char version = codes.front()[0];
        EXPECT_EQ(codes.size(), version == 'A' ? 250u : 300u) << "round " << round;
        for (std::size_t i = 0; i < codes.size(); ++i)
            ASSERT_EQ(codes[i][0], version) << "round " << round << ", row " << i + 1;
    }
}

} // namespace
} // namespace corvane::reference
