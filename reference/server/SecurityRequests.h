#pragma once

namespace corvane::reference {

class PracticeServer;

/// The security window's requests: SECL (module access), MODG and MODS (modify-transaction groups and settings),
/// OPENT (entity access), SECT and SECP (security programs), SECC (copy) and SECGD (distribute).
void registerSecurityRequests(PracticeServer& server);

} // namespace corvane::reference
