#pragma once

#include <string>
#include <vector>

namespace corvane::reference {

class Database;
class PracticeServer;
struct Answer;
struct Request;

/// One document the server keeps for the viewer: its number, a title and the DataFormat a host would pass with it.
struct ServerDocument {
    std::string number;
    std::string title;
    std::string format;
};

/// The viewer's documents by number on DOC: "|GET|DOC|n|" is the document itself (RTF, HTML, text or PDF bytes),
/// "|GET|DOC|FORMAT|n|" its DataFormat, and "|GET|DOC|LIST|" a JobID ("first TAB n:n:...:") over every document.
void registerDocumentRequests(PracticeServer& server);

/// The documents in list order.
const std::vector<ServerDocument>& serverDocuments();
/// The bytes of document number; empty when there is no such document.
std::string serverDocumentBody(const std::string& number);
/// Whether number names a document that can be printed: one of serverDocuments() or a queued fax document.
bool printableDocument(Database& db, const std::string& number);

/// Document numbers of the statement run, the landscape report, the letter, the HTML and text reports and the PDF.
inline constexpr const char* statementRunDocument = "1001";
inline constexpr const char* landscapeReportDocument = "1002";
inline constexpr const char* letterDocument = "1003";
inline constexpr const char* htmlReportDocument = "1004";
inline constexpr const char* textReportDocument = "1005";
inline constexpr const char* pdfDocument = "1006";
/// Pages of the statement run.
inline constexpr int statementRunPages = 300;

} // namespace corvane::reference
