#pragma once

namespace corvane::reference {

class PracticeServer;

/// The settings window's requests: system settings (one key, several keys, "KEY=value" writes), the server's
/// settings pages (FUNC lists and their WEB pages), the configuration store (MSCG) and the posting charge sets.
void registerSysRequests(PracticeServer& server);

} // namespace corvane::reference
