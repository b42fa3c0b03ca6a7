#pragma once

#include "Database.h"

#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

namespace corvane::reference {

/// One request as the server reads it: "|VERB|TABLE|arg|arg...", sent by the signed-in operator.
struct Request {
    std::string verb;
    std::string table;
    std::vector<std::string> args;
    std::string operatorCode;

    /// Argument i, or empty when the request has fewer.
    const std::string& arg(std::size_t i) const;
    /// Everything after the table name and its bar, unsplit (payloads may hold their own separators).
    std::string rest;
    /// The payload after the first count fields of rest (it may hold bars); empty when there are fewer fields.
    std::string payloadAfter(std::size_t count) const;
};

/// A handler's answer: data lines, or an error message.
struct Answer {
    bool ok = true;
    std::vector<std::string> lines;
    std::string error;
    /// The lines are the whole line reply, framing included (a header that rides on the "|OK||" line).
    bool ownFraming = false;

    static Answer data(std::vector<std::string> lines) { return {true, std::move(lines), {}}; }
    static Answer text(std::string line) { return {true, {std::move(line)}, {}}; }
    static Answer failure(std::string message) { return {false, {}, std::move(message)}; }
};

/// The reference practice server: answers request texts from a SQLite database it creates and seeds.
class PracticeServer {
public:
    using Handler = std::function<Answer(const Request&)>;

    /// Opens (and on first use creates and seeds) the database at path; ":memory:" for a throw-away one.
    explicit PracticeServer(const std::string& databasePath);

    /// The reply to a GetServerStringData request: the data lines joined with CR LF, or "Error: ...".
    std::string answerString(const std::string& request, const std::string& operatorCode);
    /// The reply to a DirectComm request: "|OK||", the data lines, "|END|"; or "Error: ..." and "|END|".
    std::vector<std::string> answerLines(const std::string& request, const std::string& operatorCode);

    /// Adds the handler for one verb and table ("GET", "SYS").
    void addHandler(const std::string& verb, const std::string& table, Handler handler);
    Database& database() { return *m_db; }

    /// Splits a request text; false when it is not of the form "|VERB|TABLE...".
    static bool parse(const std::string& text, Request& request);

private:
    Answer answer(const std::string& text, const std::string& operatorCode);

    std::unique_ptr<Database> m_db;
    std::map<std::string, Handler> m_handlers;
};

} // namespace corvane::reference
