#pragma once

#include "ModuleAccess.h"
#include "PracticeServer.h"

#include <gtest/gtest.h>

#include <map>
#include <string>

namespace corvane::test {

/// Access, Add, Modify, Delete of every program, as "1010".
using Rights = std::map<std::string, std::string>;

/// What the server holds for an operator ("O") or group ("G"), read straight from it.
inline Rights serverRights(reference::PracticeServer& server, const std::string& kind, const std::string& code)
{
    ModuleAccess page;
    EXPECT_EQ(page.load(server.answerLines(ModuleAccess::readRequest(kind, code), "JSMITH"), false),
              ModuleAccess::Load::Rows)
        << kind << " " << code;
    Rights out;
    for (int r = 1; r <= page.rowCount(); ++r) {
        if (page.isHeader(r))
            continue;
        std::string flags;
        for (int c = 3; c <= 6; ++c)
            flags += page.cellText(r, c);
        out[std::string(page.row(r).program)] = flags;
    }
    return out;
}

/// Everyone's rights on the server, by "O code" and "G number".
inline std::map<std::string, Rights> everyonesRights(reference::PracticeServer& server)
{
    std::map<std::string, Rights> all;
    for (const char* op : {"JSMITH", "MJONES", "RPATEL", "DKIM", "LGARCIA", "AOKAFOR", "TNGUYEN", "SBROWN", "VQ"})
        all[std::string("O ") + op] = serverRights(server, "O", op);
    for (int g = 0; g < 10; ++g)
        all["G " + std::to_string(g)] = serverRights(server, "G", std::to_string(g));
    return all;
}

} // namespace corvane::test
