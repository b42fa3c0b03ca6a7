#pragma once

namespace corvane::reference {

class PracticeServer;

/// Patient set-up as the settings window edits it: the patient header layout (PATSET, system default and per
/// operator), the demographics defaults (DMDF), and the code tables those pages look codes up in (document types
/// IDT, reason codes FLR3, transaction codes FLTY with their kind).
void registerPatientSetupRequests(PracticeServer& server);

} // namespace corvane::reference
