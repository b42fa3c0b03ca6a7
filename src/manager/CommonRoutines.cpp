#include "CommonRoutines.h"

#include "Log.h"
#include "SharedState.h"
#include "Text.h"

#include <stdexcept>
#include <utility>

namespace corvane {

namespace {

// A table the code-tables component could not prepare is an error of the calling routine, as its other failures.
std::shared_ptr<CodeTable> preparedCodeTable(const std::string& tableName, long passThrough)
{
    auto tables = SharedState::instance().codeTables;
    if (!tables)
        throw std::runtime_error("no code-tables component is held");
    if (!tables->PrepareTable(tableName))
        throw std::runtime_error("the table " + tableName + " could not be prepared");
    return tables->GetTable(tableName, passThrough);
}

} // namespace

std::optional<std::string> lookupCodeRefusal(std::string_view code)
{
    if (code.find('|') != std::string_view::npos)
        return std::string("Invalid characters.\r\nFollowing characters \r\n|\r\n are illegal in Lookups.");
    for (char c : code) {
        if (static_cast<unsigned char>(c) >= 127)
            return std::string("Invalid characters.\r\n") + c + " is illegal in Lookups.";
    }
    return std::nullopt;
}

bool LookupCodeIsValid(const std::string& code, bool quiet)
{
    return trapped("ERR in CorvaneDialogs.Main.LookupCodeIsValid   ", false, [&] {
        const auto refusal = lookupCodeRefusal(code);
        if (!refusal)
            return true;
        showLookupCodeRefusal(*refusal, quiet);
        return false;
    });
}

void showLookupCodeRefusal(const std::string& refusal, bool quiet)
{
    auto utils = SharedState::instance().utils;
    if (!quiet && utils)
        utils->ShowMessage(refusal, "Invalid Format");
}

ProgramRights programRights(const std::string& programCode)
{
    return trapped("Error in programRights ", ProgramRights(), [&] {
        const auto utils = SharedState::instance().utils;
        std::shared_ptr<RightsList> rights;
        if (utils)
            utils->GetRightsList(rights);
        const auto entry = rights ? rights->entry(programCode) : std::nullopt;
        return entry.value_or(ProgramRights());
    });
}

std::string TypeOfEntitiesInSystem()
{
    return trapped("Error in TypeOfEntitiesInSystem ", std::string(), [] {
        auto& state = SharedState::instance();
        auto table = preparedCodeTable("PRM", 0);
        if (!table) {
            state.prompter().ask(
                {state.messageTitle(), "Error getting Entity table", PromptIcon::Critical, PromptButtons::Ok});
            return std::string();
        }
        std::vector<std::vector<std::string>> rows;
        if (!table->GetRows(state.contextKey, rows))
            throw std::runtime_error("the rows of PRM could not be fetched");
        bool sawYes = false;
        bool sawOther = false;
        for (const auto& row : rows) {
            if (row.size() < 2)
                continue;
            const auto fields = text::split(row[1], '\t');
            if (fields.size() < 2)
                continue;
            (fields[1] == "Y" ? sawYes : sawOther) = true;
            if (sawYes && sawOther)
                break;
        }
        if (!sawYes)
            return std::string("N");
        return std::string(sawOther ? "M" : "A");
    });
}

void SwapStrings(std::string& first, std::string& second)
{
    first.swap(second);
}

bool FoundInString(const std::string& list, const std::string& item, const std::string& delimiter)
{
    return trapped("ERR in CommonFunctions.FoundInString   ", false, [&] {
        if (list.empty() || item.empty() || delimiter.empty())
            return false;
        if (list.find(delimiter) == std::string::npos)
            return item == list;
        auto utils = SharedState::instance().utils;
        std::vector<std::string> pieces;
        if (utils) {
            utils->SplitText(list, delimiter, pieces);
        } else {
            for (auto piece : text::split(list, delimiter))
                pieces.emplace_back(piece);
        }
        for (const auto& piece : pieces) {
            if (piece == item)
                return true;
        }
        return false;
    });
}

std::shared_ptr<CodeTable> GetCodeTable(const std::string& tableName, long passThrough)
{
    return trapped("ERR in CorvaneDialogs.Main.GetCodeTable   ", std::shared_ptr<CodeTable>(),
                   [&] { return preparedCodeTable(tableName, passThrough); });
}

std::string GeneralLookup(const std::string& definition, const LookupCall& call,
                          const std::function<void()>& refreshCaller)
{
    return trapped("ERR in CorvaneDialogs.LookupMgr.GeneralLookup   ", std::string("CANCEL"), [&] {
        auto& state = SharedState::instance();
        if (!state.lookups)
            throw std::runtime_error("no lookup component is held");
        if (!state.utils)
            throw std::runtime_error("no utilities component is held");
        const std::string name = definition.substr(0, definition.find('|'));
        LookupSetup setup;
        setup.request = definition;
        if (auto found = state.utils->GetCodeDefinition(name)) {
            setup.definitionFirst = found->firstText;
            setup.definitionSecond = found->secondText;
            setup.definitionNumber = found->number;
        } else {
            Log::line("Code definition is not found in GeneralLookup - CorvaneDialogs");
            state.prompter().beep();
        }
        setup.separator = state.display.lookupSeparator;
        setup.contextKey = state.contextKey;
        setup.currentValue = state.utils->GetCurrentLookupValue();
        state.lookups->SetUp(setup);

        std::string result = state.lookups->Lookup(call);
        if (result != "CANCEL") {
            const std::int16_t number = state.lookups->ChosenNumber();
            // The component expects both questions about the chosen entry; the result carries the number only.
            (void)state.lookups->ChosenDescription();
            const std::string& separator = state.display.lookupSeparator;
            const std::size_t at = separator.empty() ? std::string::npos : result.find(separator);
            if (call.insertNumber && at != std::string::npos)
                result = result.substr(0, at) + "|" + std::to_string(number) + result.substr(at);
        }
        if (refreshCaller)
            refreshCaller();
        return result;
    });
}

std::optional<FontSpec> fontSpecForCode(char code)
{
    if (code < '0' || code > '8')
        return std::nullopt;
    static constexpr int sizes[] = {8, 10, 12};
    const int index = code - '0';
    return FontSpec {sizes[index / 3], index % 3 == 1, index % 3 == 2};
}

} // namespace corvane
