#pragma once

namespace corvane::reference {

class PracticeServer;

/// "|GET|STW|1|" and "|SET|STW|n|": the "Codes Cross Reference" grid, posted whole or in numbered pieces of 9000
/// characters. The first shorter piece (empty when the text filled its pieces exactly) ends a post, which is then
/// stored in one transaction; until then nothing changes, and piece 1 starts a post afresh.
void registerStwRequests(PracticeServer& server);

} // namespace corvane::reference
