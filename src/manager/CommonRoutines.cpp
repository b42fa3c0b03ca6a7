#include "CommonRoutines.h"

#include "Log.h"
#include "SharedState.h"
#include "Text.h"

#include <utility>

namespace corvane {

bool LookupCodeIsValid(const std::string& code, bool quiet)
{
    auto& state = SharedState::instance();
    const auto refuse = [&](const std::string& message) {
        if (!quiet && state.utils)
            state.utils->ShowMessage(message, "Invalid Format");
        return false;
    };
    if (code.empty())
        return true;
    if (code.find('|') != std::string::npos)
        return refuse("Invalid characters.\r\nFollowing characters \r\n|\r\n are illegal in Lookups.");
    for (char c : code) {
        if (static_cast<unsigned char>(c) >= 127)
            return refuse(std::string("Invalid characters.\r\n") + c + " is illegal in Lookups.");
    }
    return true;
}

std::string TypeOfEntitiesInSystem()
{
    return trapped("Error in TypeOfEntitiesInSystem ", std::string(), [] {
        auto& state = SharedState::instance();
        auto table = GetCodeTable("PRM", 0);
        if (!table) {
            state.prompter().ask(
                {state.messageTitle(), "Error getting Entity table", PromptIcon::Critical, PromptButtons::Ok});
            return std::string();
        }
        std::vector<std::vector<std::string>> rows;
        table->GetRows(state.contextKey, rows);
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
    auto tables = SharedState::instance().codeTables;
    if (!tables)
        return nullptr;
    tables->PrepareTable(tableName);
    return tables->GetTable(tableName, passThrough);
}

std::string GeneralLookup(const std::string& definition, const LookupCall& call,
                          const std::function<void()>& refreshCaller)
{
    return trapped("ERR in CorvaneDialogs.LookupMgr.GeneralLookup   ", std::string("CANCEL"), [&] {
        auto& state = SharedState::instance();
        if (!state.lookups || !state.utils)
            return std::string("CANCEL");
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
