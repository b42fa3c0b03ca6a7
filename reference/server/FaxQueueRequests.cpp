#include "FaxQueueRequests.h"

#include "PracticeServer.h"
#include "PrinterRequests.h"

#include <algorithm>
#include <string>
#include <vector>

namespace corvane::reference {

namespace {

constexpr char recordSeparator = '\xE6';
constexpr int seededJobs = 3000;
constexpr int firstSeededJob = 10001;
/// Clock 0 is 12/05/2026 08:00.
constexpr const char* clockBase = "1796457600";

// Three-character cell suffixes: editor ("1" tick box), background letter, text letter.
constexpr const char* plain = "0WA";
constexpr const char* tickBox = "1WA";
constexpr const char* alert = "0WR";

constexpr const char* schema = R"SQL(
CREATE TABLE IF NOT EXISTS fax_recipients(id TEXT PRIMARY KEY, name TEXT NOT NULL, company TEXT NOT NULL,
    fax TEXT NOT NULL, email TEXT NOT NULL, delivery TEXT NOT NULL, phone TEXT NOT NULL, city TEXT NOT NULL);
CREATE TABLE IF NOT EXISTS fax_documents(job TEXT PRIMARY KEY, doc_id TEXT NOT NULL, locked_by TEXT NOT NULL);
CREATE TABLE IF NOT EXISTS fax_jobs(id INTEGER PRIMARY KEY, job TEXT NOT NULL, fax TEXT NOT NULL,
    recipient TEXT NOT NULL, company TEXT NOT NULL, email TEXT NOT NULL, recipient_id TEXT NOT NULL,
    method TEXT NOT NULL, priority TEXT NOT NULL, sender TEXT NOT NULL, subject TEXT NOT NULL,
    state TEXT NOT NULL, queued_at INTEGER NOT NULL, due_at INTEGER NOT NULL, updated_at INTEGER NOT NULL,
    tries INTEGER NOT NULL, reason TEXT NOT NULL);
CREATE INDEX IF NOT EXISTS fax_jobs_state ON fax_jobs(state, id);
CREATE INDEX IF NOT EXISTS fax_jobs_job ON fax_jobs(job);
)SQL";

struct RecipientSeed {
    const char* id;
    const char* name;
    const char* company;
    const char* fax;
    const char* email;
    const char* delivery;
    const char* city;
};
const RecipientSeed recipients[] = {
    {"RF001", "Dr. Helen Ortiz", "Springfield Cardiology", "(555) 310-2201", "hortiz@springcardio.example", "F",
     "Springfield"},
    {"RF002", "Dr. Samuel Reed", "Lakeside Orthopedics", "(555) 310-4410", "sreed@lakesideortho.example", "E",
     "Lakeside"},
    {"RF003", "Dr. Priya Nair", "Nair Family Practice", "(555) 420-1188", "pnair@nairfamily.example", "",
     "Springfield"},
    {"RF004", "Records Department", "Mercy General Hospital", "(555) 600-7000", "records@mercygeneral.example", "X",
     "Springfield"},
    {"RF005", "Dr. Omar Haddad", "Valley Neurology", "(555) 230-9912", "o.haddad@valleyneuro.health", "D", "Riverton"},
    {"RF006", "Claims Intake", "Blue Meadow Health Plan", "(555) 800-1234", "claims@bluemeadow.example", "T",
     "Capital City"},
    {"RF007", "Dr. Grace O'Neill", "Harbor Dermatology", "(555) 770-3321", "grace.o'neill@harbordermatology.clinic",
     "E", "Harbor"},
    {"RF008", "Dr. Kenji Watanabe", "Eastside Imaging", "(555) 915-0042", "kwatanabe@eastsideimaging.example", "F",
     "Springfield"},
    {"RF009", "Physical Therapy Desk", "MoveWell Rehab", "(555) 462-8800", "desk@movewell.example", "", "Lakeside"},
    {"RF010", "Dr. Ana Lucia Costa", "Costa Pediatrics", "(555) 348-5521", "alcosta+referrals@costapeds.example", "E",
     "Riverton"},
    {"RF011", "Pharmacy", "Main Street Pharmacy", "(555) 212-0909", "rx@mainstreetrx.example", "D", "Springfield"},
    {"RF012", "Dr. Victor Lindqvist", "Northside Urology", "(555) 677-1450", "vlindqvist@northuro.example", "F",
     "Northside"},
};
constexpr int recipientCount = static_cast<int>(sizeof recipients / sizeof recipients[0]);

std::string setting(Database& db, const std::string& name, const std::string& fallback)
{
    return db.scalar("SELECT value FROM sys_settings WHERE name = ?", {name}, fallback);
}

void putSetting(Database& db, const std::string& name, const std::string& value)
{
    db.query("INSERT INTO sys_settings(name, value) VALUES(?, ?) "
             "ON CONFLICT(name) DO UPDATE SET value = excluded.value",
             {name, value});
}

std::int64_t clockNow(Database& db)
{
    return std::stoll(setting(db, "FAXCLOCK", "0"));
}

bool suspended(Database& db)
{
    return setting(db, "FAXSUSPENDED", "0") == "1";
}

std::string timeText(const std::string& column)
{
    return "strftime('%m/%d/%Y %H:%M', " + std::string(clockBase) + " + " + column + ", 'unixepoch')";
}

void seed(Database& db)
{
    for (const RecipientSeed& r : recipients) {
        db.query("INSERT OR IGNORE INTO fax_recipients(id, name, company, fax, email, delivery, phone, city) "
                 "VALUES(?, ?, ?, ?, ?, ?, '(555) 100-0000', ?)",
                 {r.id, r.name, r.company, r.fax, r.email, r.delivery, r.city});
    }
    db.exec("INSERT OR IGNORE INTO code_tables(table_name, description) VALUES('RFG', 'Fax recipients')");
    int position = 0;
    for (const RecipientSeed& r : recipients) {
        db.query("INSERT OR IGNORE INTO code_table_rows(table_name, position, code, fields) VALUES('RFG', ?, ?, ?)",
                 {std::to_string(++position), r.id, std::string(r.id) + "\t" + r.name + " (" + r.company + ")"});
    }
    // Every seeded job has its document; two of them are open in another operator's editor.
    db.exec("WITH RECURSIVE n(i) AS (SELECT 0 UNION ALL SELECT i + 1 FROM n WHERE i < "
            + std::to_string(seededJobs + 999) + ") INSERT OR IGNORE INTO fax_documents(job, doc_id, locked_by) SELECT "
            + std::to_string(firstSeededJob) + " + i, 'DOC' || (" + std::to_string(firstSeededJob)
            + " + i), '' FROM n");
    db.exec("UPDATE fax_documents SET locked_by = 'MJONES' WHERE job IN ('10007', '10452')");
    // Jobs 1 to 2100 went out, 2101 to 2400 failed, the last 600 wait their turn, one every five seconds.
    db.exec("WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n WHERE i < " + std::to_string(seededJobs)
            + "), r AS (SELECT row_number() OVER (ORDER BY id) - 1 AS k, * FROM fax_recipients) "
              "INSERT INTO fax_jobs(id, job, fax, recipient, company, email, recipient_id, method, priority, sender, "
              "subject, state, queued_at, due_at, updated_at, tries, reason) "
              "SELECT i, "
            + std::to_string(firstSeededJob - 1)
            + " + i, "
              "CASE WHEN i % 9 = 4 THEN '' ELSE r.fax END, r.name, r.company, r.email, r.id, "
              "CASE WHEN i % 9 = 4 THEN 'E' ELSE 'F' END, CASE WHEN i % 13 = 0 THEN 'U' ELSE 'R' END, "
              "'Jane Smith', 'Consultation notes', "
              "CASE WHEN i <= 2100 THEN 'S' WHEN i <= 2400 THEN 'E' ELSE 'A' END, "
              "(i - 3000) * 40, CASE WHEN i <= 2400 THEN 0 ELSE (i - 2400) * 5 END, "
              "CASE WHEN i <= 2400 THEN (i - 3000) * 40 + 90 ELSE (i - 3000) * 40 END, "
              "CASE WHEN i <= 2100 THEN 1 WHEN i <= 2400 THEN 3 ELSE 0 END, "
              "CASE WHEN i <= 2100 OR i > 2400 THEN '' WHEN i % 4 = 0 THEN 'No answer after 3 tries' "
              "WHEN i % 4 = 1 THEN 'Line busy after 3 tries' WHEN i % 4 = 2 THEN 'Not a fax machine (voice answered)' "
              "ELSE 'Mailbox full' END "
              "FROM n JOIN r ON r.k = i % "
            + std::to_string(recipientCount));
}

/// Tried and failed: a number without enough digits, or every eleventh job (the line is busy).
bool failsToGoOut(const std::string& id, const std::string& method, const std::string& fax)
{
    if (method != "F")
        return false;
    const auto digits = std::count_if(fax.begin(), fax.end(), [](char c) { return c >= '0' && c <= '9'; });
    return digits < 7 || std::stoll(id) % 11 == 0;
}

std::string header(int count, bool isSuspended, const std::vector<std::string>& headings)
{
    std::string digits = std::to_string(std::min(count, 99999));
    digits.insert(0, 5 - digits.size(), '0');
    std::string line = "|OK||FX" + digits + "/" + (isSuspended ? "1" : "0");
    for (const std::string& heading : headings)
        line.append("\t").append(heading).append(plain);
    return line;
}

Answer framed(std::vector<std::string> lines)
{
    lines.emplace_back("|END||");
    Answer answer = Answer::data(std::move(lines));
    answer.ownFraming = true;
    return answer;
}

Answer listing(Database& db, const std::string& code, const std::string& search, const std::string& key)
{
    const bool isSuspended = suspended(db);
    if (code == "STATS") {
        if (!key.empty())
            return framed({"|OK||"});
        std::vector<std::string> lines {header(0, isSuspended, {"Statistic", "Count"})};
        const auto stat = [&](const std::string& id, const std::string& label, const std::string& sql) {
            lines.push_back(id + tickBox + "\t" + label + plain + "\t" + db.scalar(sql, {}, "0") + plain);
        };
        stat("A", "Waiting to go out", "SELECT COUNT(*) FROM fax_jobs WHERE state = 'A'");
        stat("S", "Sent", "SELECT COUNT(*) FROM fax_jobs WHERE state = 'S'");
        stat("E", "Failed", "SELECT COUNT(*) FROM fax_jobs WHERE state = 'E'");
        stat("C", "Cancelled", "SELECT COUNT(*) FROM fax_jobs WHERE state = 'C'");
        stat("T", "Tries per sent job",
             "SELECT printf('%.2f', COALESCE(AVG(tries), 0)) FROM fax_jobs WHERE state = 'S'");
        lines[0] = header(static_cast<int>(lines.size()) - 1, isSuspended, {"Statistic", "Count"});
        return framed(std::move(lines));
    }
    std::string state;
    std::vector<std::string> headings {"Job", "Fax", "Recipient", "Company", "Email", "Method", "Priority", "Queued"};
    if (code == "ACTIVE") {
        state = "A";
        headings.insert(headings.end(), {"Next try", "Tries"});
    } else if (code == "SENT") {
        state = "S";
        headings.insert(headings.end(), {"Sent", "Tries"});
    } else if (code == "ERROR") {
        state = "E";
        headings.insert(headings.end(), {"Failed", "Tries", "Reason"});
    } else {
        return Answer::failure("ERROR: unknown fax listing " + code);
    }
    // The active queue reads in the order jobs go out; sent and failed jobs newest first.
    const bool ascending = state == "A";
    std::string sql = "SELECT id, job, fax, recipient, company, email, method, priority, " + timeText("queued_at")
        + ", " + timeText(state == "A" ? "due_at" : "updated_at") + ", tries, reason FROM fax_jobs WHERE state = ?";
    std::vector<std::string> params {state};
    if (!search.empty()) {
        sql += " AND (instr(lower(job || ' ' || fax || ' ' || recipient || ' ' || company || ' ' || email), lower(?)) "
               "> 0)";
        params.push_back(search);
    }
    if (!key.empty()) {
        sql += ascending ? " AND id > ?" : " AND id < ?";
        params.push_back(key);
    }
    sql += ascending ? " ORDER BY id ASC" : " ORDER BY id DESC";
    sql += " LIMIT " + std::to_string(faxListingChunk);
    std::vector<std::string> lines {std::string()};
    db.query(sql, params, [&](const std::vector<std::string>& row) {
        static const char* methods[] = {"Fax", "Email", "FTP", "SureScripts"};
        static const char* methodCodes = "FETS";
        const std::size_t method = std::string_view(methodCodes).find(row[6].empty() ? 'F' : row[6][0]);
        const char* priority = row[7] == "U" ? "Urgent"
            : row[7] == "D"                  ? "Delayed"
            : row[7] == "E"                  ? "Economy"
                                             : "Regular";
        std::string line = row[0] + tickBox;
        for (int col = 1; col <= 5; ++col)
            line.append("\t").append(row[static_cast<std::size_t>(col)]).append(plain);
        line.append("\t").append(method < 4 ? methods[method] : "Fax").append(plain);
        line.append("\t").append(priority).append(row[7] == "U" ? alert : plain);
        line.append("\t").append(row[8]).append(plain);
        line.append("\t").append(row[9]).append(plain);
        line.append("\t").append(row[10]).append(plain);
        if (state == "E")
            line.append("\t").append(row[11]).append(alert);
        lines.push_back(std::move(line));
    });
    if (lines.size() == 1 && !key.empty())
        return framed({"|OK||"});
    lines[0] = header(static_cast<int>(lines.size()) - 1, isSuspended, headings);
    return framed(std::move(lines));
}

std::vector<std::string> argsFrom(const Request& request, std::size_t first)
{
    return std::vector<std::string>(
        request.args.begin() + static_cast<std::ptrdiff_t>(std::min(first, request.args.size())), request.args.end());
}

Answer cancel(Database& db, const std::vector<std::string>& jobs)
{
    if (jobs.empty() || (jobs.size() == 1 && jobs[0].empty()))
        return Answer::text("ERROR: No jobs were named to cancel.");
    int cancelled = 0;
    std::string notWaiting;
    db.transaction([&] {
        for (const std::string& job : jobs) {
            const std::string waiting
                = db.scalar("SELECT COUNT(*) FROM fax_jobs WHERE job = ? AND state = 'A'", {job}, "0");
            if (waiting == "0") {
                notWaiting += (notWaiting.empty() ? "" : ", ") + job;
                continue;
            }
            db.query("UPDATE fax_jobs SET state = 'C', updated_at = ? WHERE job = ? AND state = 'A'",
                     {std::to_string(clockNow(db)), job});
            ++cancelled;
        }
    });
    if (cancelled == 0)
        return Answer::text("ERROR: None of the jobs is waiting in the queue any more (" + notWaiting + ").");
    std::string reply = "Cancelled " + std::to_string(cancelled) + (cancelled == 1 ? " job" : " jobs");
    if (!notWaiting.empty())
        reply += " (no longer waiting: " + notWaiting + ")";
    return Answer::text(reply);
}

Answer resend(Database& db, const std::vector<std::string>& pieces)
{
    if (pieces.empty() || (pieces.size() == 1 && pieces[0].empty()))
        return Answer::text("ERROR: No jobs were named to resend.");
    int requeued = 0;
    std::string refused;
    db.transaction([&] {
        for (std::size_t i = 0; i < pieces.size(); i += 2) {
            const std::string& job = pieces[i];
            const std::string fax = i + 1 < pieces.size() ? pieces[i + 1] : std::string();
            const std::string last = db.scalar(
                "SELECT id FROM fax_jobs WHERE job = ? AND state IN ('S', 'E') ORDER BY id DESC LIMIT 1", {job}, "");
            const std::string method = db.scalar("SELECT method FROM fax_jobs WHERE id = ?", {last}, "");
            if (last.empty() || (method == "F" && fax.empty())) {
                refused += (refused.empty() ? "" : ", ") + job;
                continue;
            }
            const std::string now = std::to_string(clockNow(db));
            db.query(
                "INSERT INTO fax_jobs(job, fax, recipient, company, email, recipient_id, method, priority, sender, "
                "subject, state, queued_at, due_at, updated_at, tries, reason) "
                "SELECT job, CASE WHEN ? = '' THEN fax ELSE ? END, recipient, company, email, recipient_id, "
                "method, priority, sender, subject, 'A', ?, ? + 5, ?, 0, '' FROM fax_jobs WHERE id = ?",
                {fax, fax, now, now, now, last});
            ++requeued;
        }
    });
    if (requeued == 0)
        return Answer::text("ERROR: None of the jobs could be sent again (" + refused + ").");
    std::string reply = "Queued again: " + std::to_string(requeued) + (requeued == 1 ? " job" : " jobs");
    if (!refused.empty())
        reply += " (not found or without a fax number: " + refused + ")";
    return Answer::text(reply);
}

Answer faxStat(Database& db, const Request& request)
{
    const std::string& code = request.arg(1);
    if (code == "SUSPEND") {
        if (request.arg(2) != "1" && request.arg(2) != "0")
            return Answer::text("ERROR: SUSPEND takes 1 or 0.");
        putSetting(db, "FAXSUSPENDED", request.arg(2));
        return Answer::text("1");
    }
    if (code == "C")
        return cancel(db, argsFrom(request, 2));
    if (code == "R")
        return resend(db, argsFrom(request, 2));
    if (request.arg(2) == "S")
        return listing(db, code, request.arg(3), request.arg(4));
    return listing(db, code, {}, request.arg(2));
}

/// The fax data names a recipient by id only; one typed in is shown by company, else by address.
std::string recipientName(Database& db, const std::vector<std::string>& fields)
{
    const std::string typed = !fields[5].empty() ? fields[5] : !fields[4].empty() ? fields[4] : fields[6];
    return fields[3].empty() ? typed : db.scalar("SELECT name FROM fax_recipients WHERE id = ?", {fields[3]}, typed);
}

Answer queueDocument(Database& db, const Request& request)
{
    const std::string& job = request.arg(1);
    const std::string prefix = "FAX|" + job + "|";
    const std::string data = request.rest.size() > prefix.size() ? request.rest.substr(prefix.size()) : std::string();
    std::vector<std::string> fields(1);
    for (char c : data) {
        if (c == recordSeparator)
            fields.emplace_back();
        else
            fields.back() += c;
    }
    if (fields.size() != 14)
        return Answer::text("ERROR: The fax data has " + std::to_string(fields.size()) + " fields; 14 are expected.");
    if (db.scalar("SELECT COUNT(*) FROM fax_documents WHERE job = ?", {job}, "0") == "0")
        return Answer::text("ERROR: Job " + job + " was not found.");
    const std::string& method = fields[7];
    const std::string& priority = fields[11];
    if (method.size() != 1 || std::string_view("FETS").find(method[0]) == std::string_view::npos)
        return Answer::text("ERROR: Unknown delivery method \"" + method + "\".");
    if (priority.size() != 1 || std::string_view("RUDE").find(priority[0]) == std::string_view::npos)
        return Answer::text("ERROR: Unknown priority \"" + priority + "\".");
    if (method == "F"
        && std::count_if(fields[4].begin(), fields[4].end(), [](char c) { return c >= '0' && c <= '9'; }) < 7)
        return Answer::text("ERROR: The fax number \"" + fields[4] + "\" cannot be dialled.");
    if (method == "E" && fields[6].find('@') == std::string::npos)
        return Answer::text("ERROR: The e-mail address \"" + fields[6] + "\" cannot be used.");
    if (fields[3] != fields[13])
        return Answer::text("ERROR: The recipient ids of the fax data differ.");
    const std::int64_t now = clockNow(db);
    const int delay = priority == "U" ? 5 : priority == "E" ? 300 : priority == "D" ? 600 : 30;
    db.query("INSERT INTO fax_jobs(job, fax, recipient, company, email, recipient_id, method, priority, sender, "
             "subject, state, queued_at, due_at, updated_at, tries, reason) "
             "VALUES(?, ?, ?, ?, ?, ?, ?, ?, ?, ?, 'A', ?, ?, ?, 0, '')",
             {job, fields[4], recipientName(db, fields), fields[5], fields[6], fields[3], method, priority, fields[0],
              fields[2], std::to_string(now), std::to_string(now + delay), std::to_string(now)});
    return Answer::text("1");
}

Answer senderDefaults(Database& db, const Request& request)
{
    std::vector<std::string> fields(18);
    fields[0] = db.scalar("SELECT name FROM operators WHERE code = ?", {request.operatorCode}, request.operatorCode);
    fields[1] = "(555) 201-4400";
    fields[2] = "(555) 201-4401";
    fields[3] = "frontdesk@riversidemedical.example";
    fields[4] = "Riverside Medical Group";
    fields[5] = "F";
    fields[6] = "R";
    fields[7] = setting(db, "PRACTICENAME", "Riverside Medical Group");
    std::string reply;
    for (std::size_t i = 0; i < fields.size(); ++i) {
        if (i > 0)
            reply += recordSeparator;
        reply += fields[i];
    }
    return Answer::text(reply);
}

Answer recipient(Database& db, const std::string& key)
{
    std::vector<std::string> fields(49);
    bool found = false;
    db.query("SELECT id, name, company, fax, email, delivery, phone, city FROM fax_recipients WHERE id = ?", {key},
             [&](const std::vector<std::string>& row) {
                 found = true;
                 for (std::size_t i = 0; i < 6; ++i)
                     fields[i] = row[i];
                 fields[6] = row[6];
                 fields[9] = row[7];
                 fields[29] = row[5] == "T" ? "sftp://files." + row[0] + ".example/incoming" : std::string();
                 fields[31] = row[5] == "D" ? "SS" + row[0] : std::string();
                 fields[33] = row[5] == "X" ? "U" : std::string();
             });
    if (!found)
        return Answer::text("ERROR: Recipient " + key + " was not found.");
    std::string reply;
    for (std::size_t i = 0; i < fields.size(); ++i) {
        if (i > 0)
            reply += recordSeparator;
        reply += fields[i];
    }
    return Answer::text(reply);
}

Answer documentId(Database& db, const Request& request)
{
    const std::string& job = request.arg(1);
    std::string reply = "ERROR: Job " + job + " was not found.";
    db.query("SELECT doc_id, locked_by FROM fax_documents WHERE job = ?", {job},
             [&](const std::vector<std::string>& row) {
                 if (!row[1].empty() && row[1] != request.operatorCode)
                     reply = "ERROR:  Document is being edited by " + row[1];
                 else
                     reply = row[0];
             });
    return Answer::text(reply);
}

} // namespace

void advanceFaxClock(Database& db, std::int64_t seconds)
{
    db.transaction([&] {
        const std::int64_t now = clockNow(db) + seconds;
        putSetting(db, "FAXCLOCK", std::to_string(now));
        if (suspended(db))
            return;
        std::vector<std::vector<std::string>> due;
        db.query("SELECT id, method, fax, tries FROM fax_jobs WHERE state = 'A' AND due_at <= ? ORDER BY id",
                 {std::to_string(now)}, [&](const std::vector<std::string>& row) { due.push_back(row); });
        for (const auto& job : due) {
            const std::string tries = std::to_string(std::stoi(job[3]) + 1);
            if (!failsToGoOut(job[0], job[1], job[2])) {
                db.query("UPDATE fax_jobs SET state = 'S', tries = ?, updated_at = ? WHERE id = ?",
                         {tries, std::to_string(now), job[0]});
            } else if (tries == "3") {
                db.query("UPDATE fax_jobs SET state = 'E', tries = ?, updated_at = ?, "
                         "reason = 'Line busy after 3 tries' WHERE id = ?",
                         {tries, std::to_string(now), job[0]});
            } else {
                db.query("UPDATE fax_jobs SET tries = ?, due_at = ?, updated_at = ?, reason = 'Line busy' WHERE id = ?",
                         {tries, std::to_string(now + 60), std::to_string(now), job[0]});
            }
        }
    });
}

void registerFaxQueueRequests(PracticeServer& server)
{
    Database& db = server.database();
    db.exec(schema);
    if (setting(db, "FAXSEEDED", "0") == "0") {
        db.transaction([&] {
            seed(db);
            putSetting(db, "FAXSEEDED", "Y");
        });
    }

    server.addHandler("GET", "TRAN", [&db](const Request& request) {
        const std::string& what = request.arg(0);
        if (what == "FAXSTAT")
            return faxStat(db, request);
        if (what == "TRANID")
            return documentId(db, request);
        if (what == "FAXCONFIG")
            return senderDefaults(db, request);
        if (what == "RFG")
            return recipient(db, request.arg(1));
        if (what == "FAX")
            return queueDocument(db, request);
        if (what == "PRINT")
            return serverPrint(db, request);
        return Answer::failure("ERROR: UNKNOWN COMMAND " + what);
    });

    server.addHandler("SET", "TRAN", [&db](const Request& request) {
        if (request.arg(0) != "TRAN" || request.arg(1) != "Q")
            return Answer::failure("ERROR: UNKNOWN COMMAND " + request.arg(0));
        const std::string& job = request.arg(2);
        if (db.scalar("SELECT COUNT(*) FROM fax_documents WHERE job = ?", {job}, "0") == "0")
            return Answer::text("0");
        db.query("UPDATE fax_documents SET locked_by = '' WHERE job = ?", {job});
        return Answer::text("1");
    });
}

} // namespace corvane::reference
