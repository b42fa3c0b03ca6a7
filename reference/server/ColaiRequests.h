#pragma once

namespace corvane::reference {

class PracticeServer;

/// "|GET|COLAI|STATUS" and "|SET|COLAI|SETTING|": each operator's collection status record.
void registerColaiRequests(PracticeServer& server);

} // namespace corvane::reference
