#pragma once

#include <cstdint>

namespace corvane::reference {

class Database;
class PracticeServer;

/// The outgoing fax and e-mail queue on TRAN: listings by state with "FAXSTAT" (ACTIVE, SENT, ERROR, STATS, with
/// "S" searches and continuation keys), cancel ("C"), resend ("R") and "SUSPEND"; "TRANID" with the edit lock and
/// "|SET|TRAN|TRAN|Q|" to take a document over; "FAXCONFIG"; recipients ("RFG", also the code table the recipient
/// lookup lists); and "FAX", which queues a document. Seeded with a few thousand jobs.
void registerFaxQueueRequests(PracticeServer& server);

/// Moves the queue's clock on: jobs whose time has come go out, or fail and are tried again (three tries), unless
/// faxing is suspended. The clock moves only when told to, so tests decide what has happened.
void advanceFaxClock(Database& db, std::int64_t seconds);

/// Rows a listing reply holds at most.
inline constexpr int faxListingChunk = 200;

} // namespace corvane::reference
