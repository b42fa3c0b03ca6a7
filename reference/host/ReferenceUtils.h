#pragma once

#include "CorvaneUtils.h"
#include "Quillon.h"
#include "ReferencePreferences.h"

#include <QString>

#include <memory>
#include <optional>

namespace corvane::reference {

/// The utilities component of the reference host.
///
/// Colour palette (entry = letter code minus 64, value 0x00BBGGRR): upper-case letters are strong colours
/// (A black, B navy, C green, D teal, E maroon, F purple, G olive, H silver, I grey, J blue, K bright green,
/// L aqua, M dark red, N magenta, O brown, P near white, Q dark grey, R red, S orange, T dark teal, U indigo,
/// V soft yellow, W white, X light yellow, Y yellow, Z black); lower-case letters are pale tints of the same hue
/// for backgrounds (g light green for marked rows, k light grey for description cells, p pale cream, w white).
class ReferenceUtils final : public CorvaneUtils {
public:
    /// logPath empty: "corvane.log" in the user's state folder.
    ReferenceUtils(std::shared_ptr<Quillon> link, QString logPath = {});

    void setDeveloperMode(bool on) { m_developer = on; }
    /// Fixes today's date (tests); nothing: the system date.
    void setToday(std::optional<CivilDate> today) { m_today = today; }
    ReferenceDisplaySettings& display() { return *m_display; }
    QString logPath() const { return m_logPath; }

    void LogLine(const std::string& line) override;
    void ShowMessage(const std::string& text, const std::string& title) override;
    void GetMessageTitle(std::string& title) override;
    void GetDeveloperMode(bool& developerMode) override;
    std::string GetField(const std::string& text, std::int32_t number, const std::string& delimiter) override;
    bool SplitText(const std::string& text, const std::string& delimiter, std::vector<std::string>& pieces) override;
    void GetFieldCount(const std::string& text, const std::string& delimiter, std::int32_t& count) override;
    void SplitByLength(const std::string& text, std::vector<std::string>& pieces, std::int32_t maxLength, bool flag,
                       bool& result) override;
    void GetCurrentDate(CivilDate& today) override;
    void GetHelpFile(std::string& path) override;
    void GetColourPalette(std::vector<std::string>& palette) override;
    void GetPreferences(std::shared_ptr<Preferences>& preferences) override;
    std::shared_ptr<Preferences> NewPreferences(const std::string& text) override;
    void GetDisplaySettings(std::shared_ptr<DisplaySettings>& settings) override;
    std::optional<CodeDefinition> GetCodeDefinition(const std::string& name) override;
    void GetRightsList(std::shared_ptr<RightsList>& rights) override;
    void TraceLine(const std::string& line) override;
    void SplitInTwo(const std::string& text, const std::string& separator, std::string& first,
                    std::string& second) override;
    void GetCharacterWidthUnit(double& width) override;
    void FillList(QWidget* comboOrList, const std::string& text, const std::string& delimiter) override;
    std::string PickDate(const std::string& currentText, QWidget* anchor, QWidget* window) override;
    bool ValidateField(FieldKind kind, const std::string& text) override;
    void GetServerPrinters(std::vector<std::string>& printers) override;
    /// The server's printers with description, port and eligibility ("|GET|PRT|LIST|").
    void GetServerPrinterList(std::vector<ServerPrinter>& printers) override;
    /// Writes the text of the preferences object last handed out back to the server ("|SET|PREFS||").
    bool SaveUserSettings() override;
    std::string GetCurrentLookupValue() override { return m_lastLookup; }
    /// Digits, one decimal point, "$", "," and the editing keys pass; everything else is dropped.
    void FilterCurrencyKey(QWidget* edit, int& keyCode) override;

    /// The palette as described above, 59 entries (0 unused).
    static std::vector<std::string> palette();

private:
    void writeLog(const QString& line);

    std::shared_ptr<Quillon> m_link;
    QString m_logPath;
    bool m_developer = false;
    std::optional<CivilDate> m_today;
    std::shared_ptr<ReferenceDisplaySettings> m_display = std::make_shared<ReferenceDisplaySettings>();
    std::string m_lastLookup;
    std::shared_ptr<ReferencePreferences> m_preferences;
};

} // namespace corvane::reference
