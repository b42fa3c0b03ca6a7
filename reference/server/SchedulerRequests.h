#pragma once

namespace corvane::reference {

class PracticeServer;

/// The requests of the settings pages that keep their values outside the plain system settings: the scheduled
/// reports and submissions processes (GETP and SETP on RPTSCH and SUBSCH), code entries such as DFVL3 (CODE), the
/// appointment defaults (ASDATA 22), and the seed of the code tables, scheduler and eligibility settings and the
/// eligibility service types.
void registerSchedulerRequests(PracticeServer& server);

} // namespace corvane::reference
