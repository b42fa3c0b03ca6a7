#pragma once

namespace corvane::reference {

class PracticeServer;

/// "|GET|STW|1|" and "|SET|STW|n|": the "Codes Cross Reference" grid, posted whole or in numbered pieces.
void registerStwRequests(PracticeServer& server);

} // namespace corvane::reference
