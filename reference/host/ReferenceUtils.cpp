#include "ReferenceUtils.h"

#include "CommonRoutines.h"
#include "DatePickerPopup.h"
#include "ReplyFraming.h"
#include "SharedState.h"
#include "Text.h"
#include "TextFields.h"
#include "WireCodec.h"

#include <QApplication>
#include <QComboBox>
#include <QDate>
#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFontMetrics>
#include <QLineEdit>
#include <QListWidget>
#include <QRegularExpression>
#include <QStandardPaths>

#include <cstdio>

namespace corvane::reference {

namespace {

constexpr std::uint32_t rgb(std::uint32_t value)
{
    // Palette entries are 0x00BBGGRR; the table below is written as familiar 0xRRGGBB.
    return ((value & 0xFF) << 16) | (value & 0xFF00) | ((value >> 16) & 0xFF);
}

} // namespace

ReferenceUtils::ReferenceUtils(std::shared_ptr<Quillon> link, QString logPath)
    : m_link(std::move(link))
    , m_logPath(std::move(logPath))
{
    if (m_logPath.isEmpty()) {
        QString state = qEnvironmentVariable("XDG_STATE_HOME");
        if (state.isEmpty())
            state = QDir::homePath() + QStringLiteral("/.local/state");
        m_logPath = state + QStringLiteral("/corvane/corvane.log");
    }
}

void ReferenceUtils::writeLog(const QString& line)
{
    QDir().mkpath(QFileInfo(m_logPath).absolutePath());
    QFile file(m_logPath);
    if (file.open(QIODevice::Append | QIODevice::Text)) {
        file.write(QDateTime::currentDateTime().toString(Qt::ISODate).toUtf8() + ' ' + line.toUtf8() + '\n');
    }
    if (m_developer)
        std::fprintf(stderr, "%s\n", line.toLocal8Bit().constData());
}

void ReferenceUtils::LogLine(const std::string& line)
{
    writeLog(WireCodec::toQString(line));
}

void ReferenceUtils::ShowMessage(const std::string& text, const std::string& title)
{
    SharedState::instance().prompter().ask({title, text, PromptIcon::Information, PromptButtons::Ok});
}

void ReferenceUtils::GetMessageTitle(std::string& title)
{
    title = "Riverside Practice Manager";
}

void ReferenceUtils::GetDeveloperMode(bool& developerMode)
{
    developerMode = m_developer;
}

std::string ReferenceUtils::GetField(const std::string& text, std::int32_t number, const std::string& delimiter)
{
    return TextFields::field(text, number, delimiter);
}

bool ReferenceUtils::SplitText(const std::string& text, const std::string& delimiter, std::vector<std::string>& pieces)
{
    pieces.clear();
    if (delimiter.empty())
        return false;
    for (auto piece : corvane::text::split(text, delimiter))
        pieces.emplace_back(piece);
    return true;
}

void ReferenceUtils::GetFieldCount(const std::string& text, const std::string& delimiter, std::int32_t& count)
{
    count = TextFields::count(text, delimiter);
}

void ReferenceUtils::SplitByLength(const std::string& text, std::vector<std::string>& pieces, std::int32_t maxLength,
                                   bool, bool& result)
{
    pieces = TextFields::splitByLength(text, static_cast<std::size_t>(std::max(maxLength, 0)));
    result = maxLength > 0;
}

void ReferenceUtils::GetCurrentDate(CivilDate& today)
{
    if (m_today) {
        today = *m_today;
        return;
    }
    const QDate now = QDate::currentDate();
    today = {now.year(), now.month(), now.day()};
}

void ReferenceUtils::GetHelpFile(std::string& path)
{
    path = "/usr/share/doc/corvane/help.html";
}

std::vector<std::string> ReferenceUtils::palette()
{
    static constexpr std::uint32_t upper[26] = {
        0x000000, 0x000080, 0x008000, 0x008080, 0x800000, 0x800080, 0x808000, 0xC0C0C0, 0x808080,
        0x0000FF, 0x00C000, 0x00C0C0, 0xC00000, 0xC000C0, 0x996633, 0xF0F0F0, 0x404040, 0xD00000,
        0xE07000, 0x006060, 0x303090, 0xFFFF80, 0xFFFFFF, 0xFFFFE0, 0xFFFF00, 0x000000,
    };
    static constexpr std::uint32_t lower[26] = {
        0xF0F0F0, 0xDDE6FF, 0xE0F5E0, 0xE0F2F2, 0xF5E0E0, 0xF0E0F5, 0xD8F0D0, 0xF4F4F4, 0xE8E8E8,
        0xE0E8FF, 0xECECEC, 0xE0FFFF, 0xFFE0E0, 0xFFE0FF, 0xFFF0D8, 0xFFFBE8, 0xD0D0D0, 0xFFD8D8,
        0xFFE8D0, 0xD8ECEC, 0xE0E0F8, 0xFFFFF0, 0xFFFFFF, 0xFFFFF8, 0xFFFFD0, 0xF8F8F8,
    };
    std::vector<std::string> entries(59, std::to_string(rgb(0xFFFFFF)));
    entries[0] = "0";
    for (int i = 0; i < 26; ++i) {
        entries[static_cast<std::size_t>(1 + i)] = std::to_string(rgb(upper[i]));
        entries[static_cast<std::size_t>(33 + i)] = std::to_string(rgb(lower[i]));
    }
    return entries;
}

void ReferenceUtils::GetColourPalette(std::vector<std::string>& entries)
{
    entries = palette();
}

void ReferenceUtils::GetPreferences(std::shared_ptr<Preferences>& preferences)
{
    std::string text;
    std::string error;
    bool success = false;
    m_link->GetServerStringData("|GET|PREFS||", text, {}, error, success);
    auto prefs = std::make_shared<ReferencePreferences>(success ? text : std::string());
    m_display->closeAfter = prefs->value("CLOSEAFTERPOST") == "Y";
    m_preferences = prefs;
    preferences = prefs;
}

std::shared_ptr<Preferences> ReferenceUtils::NewPreferences(const std::string& text)
{
    return std::make_shared<ReferencePreferences>(text);
}

void ReferenceUtils::GetDisplaySettings(std::shared_ptr<DisplaySettings>& settings)
{
    settings = m_display;
}

std::optional<CodeDefinition> ReferenceUtils::GetCodeDefinition(const std::string& name)
{
    static const std::map<std::string, CodeDefinition> definitions = {
        {"DG", {"Diagnosis Codes", "DG", 1}},
        {"PC", {"Procedure Codes", "PC", 2}},
        {"LIST", {"Collection Lists", "LIST", 3}},
        {"PM", {"Collection Messages", "PM", 4}},
        {"ST", {"Program Types", "ST", 5}},
        {"OP", {"Operators", "OP", 6}},
        {"AR", {"A/R Categories", "AR", 7}},
        {"FL", {"Financial Classes", "FL", 8}},
        {"PRM", {"Entities", "PRM", 9}},
        {"RFG", {"Fax Recipients", "RFG", 10}},
        {"IDT", {"Image Document Types", "IDT", 11}},
        {"FLR3", {"Reason Codes", "FLR3", 12}},
        {"FLTY", {"Transaction Codes", "FLTY", 13}},
        {"ELGTOS", {"Eligibility Service Types", "ELGTOS", 14}},
        {"PRGL", {"Security Programs", "PRGL", 15}},
    };
    const auto found = definitions.find(name);
    if (found == definitions.end())
        return std::nullopt;
    return found->second;
}

void ReferenceUtils::GetRightsList(std::shared_ptr<RightsList>& rights)
{
    std::vector<std::string> lines;
    std::string error;
    bool success = false;
    m_link->DirectComm("|GET|RIGHTS||", lines, {}, error, success);
    if (!success || lines.empty() || ReplyFraming::isErrorLine(lines.front()))
        lines.clear();
    std::vector<std::string> data;
    for (const auto& line : lines) {
        if (line != "|OK||" && line != "|END|")
            data.push_back(line);
    }
    rights = std::make_shared<ReferenceRights>(data);
}

void ReferenceUtils::TraceLine(const std::string& line)
{
    writeLog(QStringLiteral("TRACE ") + WireCodec::toQString(line));
}

void ReferenceUtils::SplitInTwo(const std::string& text, const std::string& separator, std::string& first,
                                std::string& second)
{
    TextFields::splitInTwo(text, separator, first, second);
}

void ReferenceUtils::GetCharacterWidthUnit(double& width)
{
    width = QFontMetrics(QApplication::font()).averageCharWidth();
}

void ReferenceUtils::FillList(QWidget* comboOrList, const std::string& text, const std::string& delimiter)
{
    QStringList entries;
    for (auto piece : corvane::text::split(text, delimiter))
        entries << WireCodec::toQString(piece);
    if (auto* combo = qobject_cast<QComboBox*>(comboOrList))
        combo->addItems(entries);
    else if (auto* list = qobject_cast<QListWidget*>(comboOrList))
        list->addItems(entries);
}

std::string ReferenceUtils::PickDate(const std::string& currentText, QWidget* anchor, QWidget* window)
{
    DatePickerPopup popup(window ? window : anchor);
    const QDate start = QDate::fromString(WireCodec::toQString(currentText), QStringLiteral("MM/dd/yyyy"));
    popup.setDate(start.isValid() ? start : QDate::currentDate());
    popup.placeBelow(anchor);
    if (popup.exec() != QDialog::Accepted)
        return {};
    return WireCodec::toWireLossy(popup.date().toString(QStringLiteral("MM/dd/yyyy")));
}

bool ReferenceUtils::ValidateField(FieldKind kind, const std::string& text)
{
    const QString typed = WireCodec::toQString(text).trimmed();
    switch (kind) {
    case FieldKind::Amount: {
        static const QRegularExpression amount(QStringLiteral(R"(^\$?\s*-?(\d{1,3}(,\d{3})+|\d*)(\.\d{0,2})?$)"));
        return amount.match(typed).hasMatch();
    }
    case FieldKind::Number: {
        static const QRegularExpression number(QStringLiteral(R"(^-?\d*(\.\d*)?$)"));
        return number.match(typed).hasMatch();
    }
    case FieldKind::Code:
        return LookupCodeIsValid(text, true);
    }
    return false;
}

void ReferenceUtils::FilterCurrencyKey(QWidget* edit, int& keyCode)
{
    if ((keyCode >= Qt::Key_0 && keyCode <= Qt::Key_9) || keyCode == Qt::Key_Dollar || keyCode == Qt::Key_Comma
        || keyCode >= Qt::Key_Escape)
        return;
    if (keyCode == Qt::Key_Period) {
        const auto* line = qobject_cast<QLineEdit*>(edit);
        if (line && line->text().contains(QLatin1Char('.')) && !line->selectedText().contains(QLatin1Char('.')))
            keyCode = 0;
        return;
    }
    keyCode = 0;
}

void ReferenceUtils::GetServerPrinters(std::vector<std::string>& printers)
{
    std::vector<std::string> lines;
    std::string error;
    bool success = false;
    m_link->DirectComm("|GET|PRINTERS|", lines, {}, error, success);
    printers.clear();
    if (!success || lines.empty() || ReplyFraming::isErrorLine(lines.front()))
        return;
    for (const auto& line : lines) {
        if (line != "|OK||" && line != "|END|")
            printers.push_back(line);
    }
}

void ReferenceUtils::GetServerPrinterList(std::vector<ServerPrinter>& printers)
{
    printers.clear();
    std::vector<std::string> lines;
    std::string error;
    bool success = false;
    m_link->DirectComm("|GET|PRT|LIST|", lines, {}, error, success);
    if (!success || lines.empty() || ReplyFraming::isErrorLine(lines.front())) {
        LogLine("mcomm.DirectComm failed in ReferenceUtils.GetServerPrinterList " + error);
        return;
    }
    for (const auto& line : lines) {
        if (line == "|OK||" || line == "|END|" || line.empty())
            continue;
        const auto fields = text::split(line, '\t');
        if (fields.empty() || fields[0].empty())
            continue;
        const auto field = [&](std::size_t i) {
            return i < fields.size() ? std::string(fields[i]) : std::string();
        };
        printers.push_back({field(0), field(1), field(2), field(3) == "Y"});
    }
}

bool ReferenceUtils::SaveUserSettings()
{
    if (!m_preferences)
        return false;
    std::string reply;
    std::string error;
    bool success = false;
    m_link->GetServerStringData("|SET|PREFS||" + m_preferences->currentText(), reply, {}, error, success);
    if (success && reply == "1")
        return true;
    LogLine("ERR in ReferenceUtils.SaveUserSettings " + (success ? reply : error));
    return false;
}

} // namespace corvane::reference
