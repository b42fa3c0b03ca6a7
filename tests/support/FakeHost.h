#pragma once

#include "CorvaneCodeTables.h"
#include "CorvaneLookups.h"
#include "CorvaneServerUtils.h"
#include "CorvaneUtils.h"
#include "Quillon.h"
#include "TextFields.h"

#include <functional>
#include <map>
#include <stdexcept>
#include <string>
#include <vector>

namespace corvane::test {

/// A server link that answers from a table of request texts and records what was sent.
class FakeQuillon final : public Quillon {
public:
    std::map<std::string, std::string> stringReplies;
    std::map<std::string, std::vector<std::string>> lineReplies;
    std::vector<std::string> requests;
    bool reachable = true;
    bool throws = false;
    std::string contextKey = "CTX-1";
    std::string operatorName = "JSMITH";
    /// When set, answers every request instead of the tables.
    std::function<std::vector<std::string>(const std::string&)> answer;
    /// When set and true for a request, that request fails as if the server could not be reached.
    std::function<bool(const std::string&)> failWhen;

    void GetServerStringData(const std::string& request, std::string& reply, const std::string&, std::string& errorText,
                             bool& success) override
    {
        requests.push_back(request);
        if (throws)
            throw std::runtime_error("link broke");
        success = reachable && !(failWhen && failWhen(request));
        if (!success) {
            errorText = "server not reachable";
            return;
        }
        if (answer) {
            const auto lines = answer(request);
            reply = lines.empty() ? std::string() : lines.front();
            return;
        }
        const auto found = stringReplies.find(request);
        reply = found == stringReplies.end() ? std::string() : found->second;
    }

    void DirectComm(const std::string& request, std::vector<std::string>& replyLines, const std::string&,
                    std::string& errorText, bool& success) override
    {
        requests.push_back(request);
        if (throws)
            throw std::runtime_error("link broke");
        success = reachable && !(failWhen && failWhen(request));
        if (!success) {
            errorText = "server not reachable";
            return;
        }
        if (answer) {
            replyLines = answer(request);
            return;
        }
        const auto found = lineReplies.find(request);
        replyLines = found == lineReplies.end() ? std::vector<std::string> {"|OK||", "|END|"} : found->second;
    }

    void GetContextKey(std::string& key) override { key = contextKey; }
    void GetOperatorName(std::string& name) override { name = operatorName; }
};

class FakePreferences final : public Preferences {
public:
    std::string text;
    std::string written;
    std::string currentText() const override { return text; }
    void writeSettings(std::string& target) const override { target += written; }
    std::string value(const std::string&) const override { return {}; }
};

class FakeDisplaySettings final : public DisplaySettings {
public:
    std::string separator = " -";
    double multiplier = 7.0;
    std::int32_t disabled = 0xE0E0E0;
    bool closeAfter = false;
    mutable std::vector<std::string> readOrder;

    std::int32_t firstValue() const override { return note("first", 11); }
    std::string lookupSeparator() const override
    {
        note("separator", 0);
        return separator;
    }
    std::int32_t secondValue() const override { return note("second", 22); }
    std::int32_t thirdValue() const override { return note("third", 33); }
    double columnWidthMultiplier() const override
    {
        note("multiplier", 0);
        return multiplier;
    }
    std::int32_t disabledCellColour() const override { return note("disabled", disabled); }
    bool closeAfterPost() const override { return closeAfter; }

private:
    std::int32_t note(const char* what, std::int32_t value) const
    {
        readOrder.emplace_back(what);
        return value;
    }
};

class FakeRights final : public RightsList {
public:
    std::map<std::string, ProgramRights> entries;
    std::optional<ProgramRights> entry(const std::string& code) const override
    {
        const auto found = entries.find(code);
        if (found == entries.end())
            return std::nullopt;
        return found->second;
    }
};

/// A utilities component that records log lines and messages and answers queries from its fields.
class FakeUtils : public CorvaneUtils {
public:
    std::vector<std::string> logLines;
    std::vector<std::string> traceLines;
    struct Message {
        std::string text;
        std::string title;
    };
    std::vector<Message> messages;
    std::string title = "Practice Manager";
    bool developer = false;
    CivilDate today {2026, 12, 5};
    std::vector<std::string> palette;
    std::shared_ptr<FakePreferences> preferences = std::make_shared<FakePreferences>();
    std::shared_ptr<FakeDisplaySettings> display = std::make_shared<FakeDisplaySettings>();
    std::shared_ptr<FakeRights> rights = std::make_shared<FakeRights>();
    std::map<std::string, CodeDefinition> definitions;
    std::vector<std::string> calls;

    void LogLine(const std::string& line) override { logLines.push_back(line); }
    void ShowMessage(const std::string& text, const std::string& messageTitle) override
    {
        messages.push_back({text, messageTitle});
    }
    void GetMessageTitle(std::string& t) override { t = title; }
    void GetDeveloperMode(bool& on) override { on = developer; }
    std::string GetField(const std::string& text, std::int32_t number, const std::string& delimiter) override
    {
        return TextFields::field(text, number, delimiter);
    }
    bool SplitText(const std::string& text, const std::string& delimiter, std::vector<std::string>& pieces) override
    {
        pieces.clear();
        const auto count = TextFields::count(text, delimiter);
        for (std::int32_t i = 1; i <= count; ++i)
            pieces.push_back(TextFields::field(text, i, delimiter));
        return true;
    }
    void GetFieldCount(const std::string& text, const std::string& delimiter, std::int32_t& count) override
    {
        count = TextFields::count(text, delimiter);
    }
    void SplitByLength(const std::string& text, std::vector<std::string>& pieces, std::int32_t maxLength, bool,
                       bool& result) override
    {
        pieces = TextFields::splitByLength(text, static_cast<std::size_t>(maxLength));
        result = true;
    }
    void GetCurrentDate(CivilDate& date) override { date = today; }
    void GetHelpFile(std::string& path) override { path = "/usr/share/help/practice.qch"; }
    void GetColourPalette(std::vector<std::string>& p) override
    {
        calls.emplace_back("palette");
        p = palette;
    }
    void GetPreferences(std::shared_ptr<Preferences>& p) override
    {
        calls.emplace_back("preferences");
        p = preferences;
    }
    void GetDisplaySettings(std::shared_ptr<DisplaySettings>& d) override
    {
        calls.emplace_back("display");
        d = display;
    }
    std::optional<CodeDefinition> GetCodeDefinition(const std::string& name) override
    {
        const auto found = definitions.find(name);
        if (found == definitions.end())
            return std::nullopt;
        return found->second;
    }
    void GetRightsList(std::shared_ptr<RightsList>& r) override { r = rights; }
    void TraceLine(const std::string& line) override { traceLines.push_back(line); }
    void SplitInTwo(const std::string& text, const std::string& separator, std::string& first,
                    std::string& second) override
    {
        TextFields::splitInTwo(text, separator, first, second);
    }
    void GetCharacterWidthUnit(double& width) override { width = 7.0; }
    void FillList(QWidget*, const std::string&, const std::string&) override { }
    std::string PickDate(const std::string& current, QWidget*, QWidget*) override { return current; }
    bool ValidateField(FieldKind, const std::string&) override { return true; }
    void GetServerPrinters(std::vector<std::string>& printers) override { printers = {"Front Desk"}; }
    std::string GetCurrentLookupValue() override { return "LAST"; }
    void FilterCurrencyKey(QWidget*, int& keyCode) override
    {
        if (keyCode >= 0x41 && keyCode <= 0x5a)
            keyCode = 0;
    }
};

class FakeCodeTable final : public CodeTable {
public:
    std::vector<std::vector<std::string>> rows;
    bool GetRows(const std::string&, std::vector<std::vector<std::string>>& out) override
    {
        out = rows;
        return true;
    }
};

class FakeCodeTables final : public CorvaneCodeTables {
public:
    std::map<std::string, std::shared_ptr<FakeCodeTable>> tables;
    std::vector<std::string> prepared;
    bool PrepareTable(const std::string& name) override
    {
        prepared.push_back(name);
        return tables.count(name) > 0;
    }
    std::shared_ptr<CodeTable> GetTable(const std::string& name, long) override
    {
        const auto found = tables.find(name);
        return found == tables.end() ? nullptr : found->second;
    }
};

class FakeLookups final : public CorvaneLookups {
public:
    LookupSetup lastSetup;
    LookupCall lastCall;
    std::string result = "CANCEL";
    std::int16_t number = 0;
    std::vector<std::string> calls;

    void SetUp(const LookupSetup& setup) override
    {
        calls.emplace_back("setup");
        lastSetup = setup;
    }
    std::string Lookup(const LookupCall& call) override
    {
        calls.emplace_back("lookup");
        lastCall = call;
        return result;
    }
    std::int16_t ChosenNumber() override
    {
        calls.emplace_back("number");
        return number;
    }
    std::string ChosenDescription() override
    {
        calls.emplace_back("description");
        return {};
    }
    std::string CheckCode(const std::string&, const std::string&, long, long) override { return {}; }
};

class FakeServerUtils final : public CorvaneServerUtils {
public:
    std::map<std::string, std::string> known; ///< code -> description
    void ValidateCode(const std::string&, const std::string& code, const std::string&, CodeVerdict& verdict) override
    {
        const auto found = known.find(code);
        verdict = found == known.end() ? CodeVerdict {"NOT VALID", {}} : CodeVerdict {"VALID", found->second};
    }
};

} // namespace corvane::test
