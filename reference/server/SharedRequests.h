#pragma once

namespace corvane::reference {

class PracticeServer;

/// System settings, preferences, code tables, rights and printers: the requests every window shares.
void registerSharedRequests(PracticeServer& server);

} // namespace corvane::reference
