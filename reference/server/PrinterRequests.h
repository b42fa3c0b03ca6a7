#pragma once

namespace corvane::reference {

class Database;
class PracticeServer;
struct Answer;
struct Request;

/// The printers the server drives, on PRT: "|GET|PRT|LIST|" lists them ("name TAB description TAB port TAB Y/N",
/// Y when documents may be sent to it); "|GET|PRT|TRAN|" is the operator's remembered printer entry (empty: none)
/// and "|SETP|PRT|TRAN|entry" remembers one, answering "1".
void registerPrinterRequests(PracticeServer& server);

/// "|GET|TRAN|PRINT|number|printer": sends a document to an eligible printer and writes it to the print log.
Answer serverPrint(Database& db, const Request& request);

} // namespace corvane::reference
