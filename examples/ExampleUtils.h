#pragma once

#include <QComboBox>
#include <QDate>
#include <QListWidget>
#include <QMessageBox>
#include <QString>

#include <CorvaneDialogsMgr.h>
#include <iostream>
#include <map>
#include <memory>
#include <string>
#include <vector>

/// Preferences kept as the text the server stored.
class ExamplePreferences final : public corvane::Preferences {
public:
    std::string text;
    std::string currentText() const override { return text; }
    void writeSettings(std::string& target) const override { target = text; }
    std::string value(const std::string&) const override { return {}; }
};

class ExampleDisplaySettings final : public corvane::DisplaySettings {
public:
    std::int32_t firstValue() const override { return 0; }
    std::string lookupSeparator() const override { return " ~"; }
    std::int32_t secondValue() const override { return 0; }
    std::int32_t thirdValue() const override { return 0; }
    double columnWidthMultiplier() const override { return 8.0; }
    std::int32_t disabledCellColour() const override { return 0xE8E8E8; }
    bool closeAfterPost() const override { return false; }
};

/// Every program may be opened and changed; a real host reads the operator's rights from its server.
class ExampleRights final : public corvane::RightsList {
public:
    std::optional<corvane::ProgramRights> entry(const std::string&) const override
    {
        return corvane::ProgramRights {true, true, true, true};
    }
};

/// The utilities component: logging to stderr, messages in a message box, and the plain text helpers.
class ExampleUtils final : public corvane::CorvaneUtils {
public:
    void LogLine(const std::string& line) override { std::cerr << "log: " << line << '\n'; }
    void ShowMessage(const std::string& text, const std::string& title) override
    {
        QMessageBox::information(nullptr, QString::fromLatin1(title.data(), static_cast<qsizetype>(title.size())),
                                 QString::fromLatin1(text.data(), static_cast<qsizetype>(text.size())));
    }
    void GetMessageTitle(std::string& title) override { title = "Example Host"; }
    void GetDeveloperMode(bool& developerMode) override { developerMode = false; }
    std::string GetField(const std::string& text, std::int32_t number, const std::string& delimiter) override
    {
        const auto pieces = split(text, delimiter);
        return number >= 1 && static_cast<std::size_t>(number) <= pieces.size() ? pieces[number - 1] : std::string();
    }
    bool SplitText(const std::string& text, const std::string& delimiter, std::vector<std::string>& pieces) override
    {
        pieces = split(text, delimiter);
        return true;
    }
    void GetFieldCount(const std::string& text, const std::string& delimiter, std::int32_t& count) override
    {
        count = static_cast<std::int32_t>(split(text, delimiter).size());
    }
    void SplitByLength(const std::string& text, std::vector<std::string>& pieces, std::int32_t maxLength, bool,
                       bool& result) override
    {
        pieces.clear();
        for (std::size_t at = 0; at < text.size(); at += static_cast<std::size_t>(maxLength))
            pieces.push_back(text.substr(at, static_cast<std::size_t>(maxLength)));
        result = maxLength > 0;
    }
    void GetCurrentDate(corvane::CivilDate& today) override
    {
        const QDate date = QDate::currentDate();
        today = {date.year(), date.month(), date.day()};
    }
    void GetHelpFile(std::string& path) override { path.clear(); }
    void GetColourPalette(std::vector<std::string>& palette) override
    {
        // Entry n is the colour of letter n (A = 1) as 0x00BBGGRR in decimal; only a few are set here.
        palette.assign(59, "0");
        palette['R' - 64] = std::to_string(0x0000FF);
        palette['W' - 64] = std::to_string(0xFFFFFF);
        palette['k' - 64] = std::to_string(0xEEEEEE);
    }
    void GetPreferences(std::shared_ptr<corvane::Preferences>& preferences) override { preferences = m_preferences; }
    void GetDisplaySettings(std::shared_ptr<corvane::DisplaySettings>& settings) override { settings = m_display; }
    std::optional<corvane::CodeDefinition> GetCodeDefinition(const std::string& name) override
    {
        return corvane::CodeDefinition {name, name, 0};
    }
    void GetRightsList(std::shared_ptr<corvane::RightsList>& rights) override
    {
        rights = std::make_shared<ExampleRights>();
    }
    void TraceLine(const std::string& line) override { std::cerr << "trace: " << line << '\n'; }
    void SplitInTwo(const std::string& text, const std::string& separator, std::string& first,
                    std::string& second) override
    {
        const std::size_t at = text.find(separator);
        first = text.substr(0, at);
        second = at == std::string::npos ? std::string() : text.substr(at + separator.size());
    }
    void GetCharacterWidthUnit(double& width) override { width = 7.0; }
    void FillList(QWidget* comboOrList, const std::string& text, const std::string& delimiter) override
    {
        QStringList entries;
        for (const auto& piece : split(text, delimiter))
            entries << QString::fromLatin1(piece.data(), static_cast<qsizetype>(piece.size()));
        if (auto* combo = qobject_cast<QComboBox*>(comboOrList))
            combo->addItems(entries);
        else if (auto* list = qobject_cast<QListWidget*>(comboOrList))
            list->addItems(entries);
    }
    std::string PickDate(const std::string& currentText, QWidget*, QWidget*) override { return currentText; }
    bool ValidateField(corvane::FieldKind, const std::string&) override { return true; }
    void GetServerPrinters(std::vector<std::string>& printers) override { printers.clear(); }
    void FilterCurrencyKey(QWidget*, int&) override { }
    std::string GetCurrentLookupValue() override { return {}; }

private:
    static std::vector<std::string> split(const std::string& text, const std::string& delimiter)
    {
        std::vector<std::string> pieces;
        if (delimiter.empty())
            return {text};
        std::size_t start = 0;
        for (std::size_t at; (at = text.find(delimiter, start)) != std::string::npos; start = at + delimiter.size())
            pieces.push_back(text.substr(start, at - start));
        pieces.push_back(text.substr(start));
        return pieces;
    }

    std::shared_ptr<ExamplePreferences> m_preferences = std::make_shared<ExamplePreferences>();
    std::shared_ptr<ExampleDisplaySettings> m_display = std::make_shared<ExampleDisplaySettings>();
};
