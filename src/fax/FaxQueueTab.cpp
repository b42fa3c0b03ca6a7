#include "FaxQueueTab.h"

#include "FaxCell.h"
#include "FaxRequests.h"

namespace corvane {

FaxQueueTab::FaxQueueTab(std::string code)
    : m_code(std::move(code))
{
    start({});
}

void FaxQueueTab::start(std::string_view search)
{
    m_search = std::string(search);
    m_listing = FaxRequests::listing(m_code, m_search);
    m_table.clear();
    m_ticked.clear();
    m_started = false;
    m_ended = false;
    m_announced = 0;
    m_jobColumn = m_faxColumn = m_recipientColumn = m_reasonColumn = -1;
}

std::string FaxQueueTab::nextRequest() const
{
    if (rowCount() == 0)
        return m_listing;
    return FaxRequests::further(m_listing, key(rowCount() - 1));
}

FaxQueueTab::Took FaxQueueTab::take(const FaxListingPage& page)
{
    switch (page.kind) {
    case FaxListingPage::Kind::Error:
        return Took::Error;
    case FaxListingPage::Kind::NoMore:
        m_started = true;
        m_ended = true;
        return Took::End;
    case FaxListingPage::Kind::Records:
        break;
    }
    if (m_table.columnCount() == 0) {
        m_table.setHeadings(page.headings);
        findColumns();
    }
    const std::size_t before = static_cast<std::size_t>(rowCount());
    m_table.append(page.records);
    m_ticked.resize(static_cast<std::size_t>(rowCount()), false);
    if (page.announced > 0)
        m_announced += page.announced;
    m_started = true;
    // A reply that adds nothing would only be asked for again with the same key.
    if (static_cast<std::size_t>(rowCount()) == before)
        m_ended = true;
    return Took::Rows;
}

void FaxQueueTab::findColumns()
{
    m_jobColumn = m_table.findColumn({"Job", "Job No", "Job Number", "Job #", "Job No."});
    m_faxColumn = m_table.findColumn({"Fax", "Fax No", "Fax Number", "Fax #", "Fax No."});
    m_recipientColumn = m_table.findColumn({"Recipient", "To", "Name"});
    m_reasonColumn = m_table.findColumn({"Reason", "Failure", "Error"});
    // Headings the window does not know: the job and fax numbers sit in the first columns after the tick box, as
    // the queue's own listings place them. Statistics hold no jobs.
    if (m_jobColumn < 0 && m_faxColumn < 0 && m_code != "STATS" && m_table.columnCount() >= 3) {
        m_jobColumn = 1;
        m_faxColumn = 2;
    }
}

std::string_view FaxQueueTab::value(int row, int col) const
{
    return col < 0 ? std::string_view() : FaxCell::value(m_table.cell(row, col));
}

std::string_view FaxQueueTab::key(int row) const
{
    const std::string_view first = value(row, 0);
    return first.empty() ? job(row) : first;
}

bool FaxQueueTab::ticked(int row) const
{
    return row >= 0 && row < rowCount() && m_ticked[static_cast<std::size_t>(row)];
}

void FaxQueueTab::setTicked(int row, bool ticked)
{
    if (row >= 0 && row < rowCount())
        m_ticked[static_cast<std::size_t>(row)] = ticked;
}

int FaxQueueTab::tickedCount() const
{
    int count = 0;
    for (bool t : m_ticked)
        count += t ? 1 : 0;
    return count;
}

std::vector<int> FaxQueueTab::chosenRows(int currentRow) const
{
    std::vector<int> rows;
    for (int row = 0; row < rowCount(); ++row) {
        if (m_ticked[static_cast<std::size_t>(row)])
            rows.push_back(row);
    }
    if (rows.empty() && currentRow >= 0 && currentRow < rowCount())
        rows.push_back(currentRow);
    return rows;
}

std::string FaxQueueTab::jobsOf(const std::vector<int>& rows) const
{
    std::string jobs;
    for (std::size_t i = 0; i < rows.size(); ++i) {
        if (i > 0)
            jobs += '|';
        jobs.append(job(rows[i]));
    }
    return jobs;
}

std::string FaxQueueTab::pairsOf(const std::vector<int>& rows) const
{
    std::string pairs;
    for (std::size_t i = 0; i < rows.size(); ++i) {
        if (i > 0)
            pairs += '|';
        pairs.append(job(rows[i])).append("|").append(fax(rows[i]));
    }
    return pairs;
}

} // namespace corvane
