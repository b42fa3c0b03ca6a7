#pragma once

#include "FaxListing.h"
#include "FaxTable.h"

#include <string>
#include <string_view>
#include <vector>

namespace corvane {

/// One tab of the fax and e-mail queue: its own listing request, rows, ticks and counts, so that loading one tab
/// never touches another.
class FaxQueueTab {
public:
    enum class Took { Rows, End, Error };

    explicit FaxQueueTab(std::string code = {});

    const std::string& code() const { return m_code; }
    /// Forgets the rows and ticks and sets the listing for search (empty: unfiltered).
    void start(std::string_view search);
    const std::string& search() const { return m_search; }
    const std::string& listing() const { return m_listing; }
    /// The listing for the first chunk, then the listing continued after the key of the last row held.
    std::string nextRequest() const;
    /// Takes one reply: the headings of the first, the rows of every one; NoMore ends the listing.
    Took take(const FaxListingPage& page);

    /// True once a reply said there are no further records.
    bool ended() const { return m_ended; }
    /// True once the first reply was taken.
    bool started() const { return m_started; }
    int rowCount() const { return m_table.rowCount(); }
    /// The sum of the counts the headers announced.
    int announced() const { return m_announced; }
    const FaxTable& table() const { return m_table; }

    int jobColumn() const { return m_jobColumn; }
    int faxColumn() const { return m_faxColumn; }
    int recipientColumn() const { return m_recipientColumn; }
    int reasonColumn() const { return m_reasonColumn; }
    /// Resend needs a job and a fax number per row.
    bool hasJobs() const { return m_jobColumn >= 0 && m_faxColumn >= 0; }

    /// The value of a row's cell (suffix removed).
    std::string_view value(int row, int col) const;
    /// The key further rows are asked after: the first column's value, else the job number.
    std::string_view key(int row) const;
    std::string_view job(int row) const { return value(row, m_jobColumn); }
    std::string_view fax(int row) const { return value(row, m_faxColumn); }

    bool ticked(int row) const;
    void setTicked(int row, bool ticked);
    int tickedCount() const;
    /// The rows an action works on: the ticked rows, else currentRow when it is a row (from 0), else none.
    std::vector<int> chosenRows(int currentRow) const;
    /// The job numbers of rows joined by "|".
    std::string jobsOf(const std::vector<int>& rows) const;
    /// The job "|" fax pairs of rows joined by "|" (an e-mail job has an empty fax number).
    std::string pairsOf(const std::vector<int>& rows) const;

private:
    void findColumns();

    std::string m_code;
    std::string m_search;
    std::string m_listing;
    FaxTable m_table;
    std::vector<bool> m_ticked;
    bool m_started = false;
    bool m_ended = false;
    int m_announced = 0;
    int m_jobColumn = -1;
    int m_faxColumn = -1;
    int m_recipientColumn = -1;
    int m_reasonColumn = -1;
};

} // namespace corvane
