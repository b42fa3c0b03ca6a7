#pragma once

#include "CivilDate.h"
#include "ProgramRights.h"

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

class QWidget;

namespace corvane {

/// The operator preferences object handed out by the utilities component.
class Preferences {
public:
    virtual ~Preferences() = default;

    /// The preference text the object currently holds.
    virtual std::string currentText() const = 0;
    /// Writes the object's settings into text (merging with what it already holds).
    virtual void writeSettings(std::string& text) const = 0;
    /// One preference value by key; empty when the key is not set.
    virtual std::string value(const std::string& key) const = 0;
    /// Sets one preference value in the object's text; false when the object cannot be changed.
    virtual bool setValue(const std::string& key, const std::string& value)
    {
        (void)key;
        (void)value;
        return false;
    }
};

/// The display settings object; the manager copies its six values in the order declared here.
class DisplaySettings {
public:
    virtual ~DisplaySettings() = default;

    /// First 32-bit value; its meaning is the utilities component's own.
    virtual std::int32_t firstValue() const = 0;
    /// The separator a lookup result uses between code and description.
    virtual std::string lookupSeparator() const = 0;
    /// Second 32-bit value; its meaning is the utilities component's own.
    virtual std::int32_t secondValue() const = 0;
    /// Third 32-bit value; its meaning is the utilities component's own.
    virtual std::int32_t thirdValue() const = 0;
    /// Multiplies the two-digit column widths of server-described grids into pixels.
    virtual double columnWidthMultiplier() const = 0;
    /// Colour (0x00BBGGRR) of disabled grid cells and grid colour 4.
    virtual std::int32_t disabledCellColour() const = 0;
    /// True when a grid window should close after a successful post.
    virtual bool closeAfterPost() const = 0;
};

/// The signed-in operator's security-program rights, keyed by program code ("STW", "COLAI", ...).
class RightsList {
public:
    virtual ~RightsList() = default;

    /// The entry for the program, or nothing when the list has no such entry.
    virtual std::optional<ProgramRights> entry(const std::string& programCode) const = 0;
};

/// A code definition: the two texts and the number the lookup component's set-up takes.
struct CodeDefinition {
    std::string firstText;
    std::string secondText;
    std::int16_t number = 0;
};

/// Kinds of typed text the utilities component can validate.
enum class FieldKind { Amount, Number, Code };

/// A printer the server drives: the viewer lists the eligible ones and sends print requests naming them.
struct ServerPrinter {
    std::string name;
    std::string description;
    std::string port;
    bool eligible = false;
};

/// The host's utilities component.
class CorvaneUtils {
public:
    virtual ~CorvaneUtils() = default;

    /// Writes one line to the host's log; nothing is shown.
    virtual void LogLine(const std::string& line) = 0;
    /// Shows a message to the operator under the title.
    virtual void ShowMessage(const std::string& text, const std::string& title) = 0;
    /// The title of the library's own message boxes.
    virtual void GetMessageTitle(std::string& title) = 0;
    /// True when the host runs in developer mode.
    virtual void GetDeveloperMode(bool& developerMode) = 0;
    /// The text of field number (counted from 1) of text split at delimiter; empty past the end.
    virtual std::string GetField(const std::string& text, std::int32_t number, const std::string& delimiter) = 0;
    /// Splits text at delimiter into pieces; true when it could be split.
    virtual bool SplitText(const std::string& text, const std::string& delimiter, std::vector<std::string>& pieces) = 0;
    /// The number of delimited fields of text.
    virtual void GetFieldCount(const std::string& text, const std::string& delimiter, std::int32_t& count) = 0;
    /// Cuts text into consecutive pieces of at most maxLength characters, in order.
    virtual void SplitByLength(const std::string& text, std::vector<std::string>& pieces, std::int32_t maxLength,
                               bool flag, bool& result)
        = 0;
    /// Today's date as the host sees it.
    virtual void GetCurrentDate(CivilDate& today) = 0;
    /// The path of the help file for all windows.
    virtual void GetHelpFile(std::string& path) = 0;
    /// Entry n (letter code minus 64) is the colour of letter n as decimal 0x00BBGGRR text.
    virtual void GetColourPalette(std::vector<std::string>& palette) = 0;
    /// The operator preferences object.
    virtual void GetPreferences(std::shared_ptr<Preferences>& preferences) = 0;
    /// A new preferences object holding text (another operator's preference text); nothing when the component
    /// cannot make one.
    virtual std::shared_ptr<Preferences> NewPreferences(const std::string& text)
    {
        (void)text;
        return nullptr;
    }
    /// The display settings object.
    virtual void GetDisplaySettings(std::shared_ptr<DisplaySettings>& settings) = 0;
    /// Looks a code definition up by name; nothing when there is no such definition.
    virtual std::optional<CodeDefinition> GetCodeDefinition(const std::string& name) = 0;
    /// The rights list of the signed-in operator.
    virtual void GetRightsList(std::shared_ptr<RightsList>& rights) = 0;
    /// Writes a diagnostic line to the host's trace; nothing is shown.
    virtual void TraceLine(const std::string& line) = 0;
    /// Cuts text at the first occurrence of the two-character separator.
    virtual void SplitInTwo(const std::string& text, const std::string& separator, std::string& first,
                            std::string& second)
        = 0;
    /// The screen width of one character in pixels.
    virtual void GetCharacterWidthUnit(double& width) = 0;
    /// Fills a combo box or list widget with one entry per field of text.
    virtual void FillList(QWidget* comboOrList, const std::string& text, const std::string& delimiter) = 0;
    /// Shows a calendar next to anchor; the chosen date as MM/DD/YYYY, or empty when cancelled.
    virtual std::string PickDate(const std::string& currentText, QWidget* anchor, QWidget* window) = 0;
    /// Whether text is acceptable for the field kind.
    virtual bool ValidateField(FieldKind kind, const std::string& text) = 0;
    /// The printers the server can print on.
    virtual void GetServerPrinters(std::vector<std::string>& printers) = 0;
    /// The server's printers in order, with description, port and whether documents may be sent to them; by
    /// default the names of GetServerPrinters, all eligible.
    virtual void GetServerPrinterList(std::vector<ServerPrinter>& printers)
    {
        std::vector<std::string> names;
        GetServerPrinters(names);
        printers.clear();
        for (auto& name : names)
            printers.push_back({std::move(name), {}, {}, true});
    }
    /// Writes the preferences object's settings back where the host keeps them; true when saved.
    virtual bool SaveUserSettings() { return false; }
    /// Filters a key typed into a currency box: keyCode (a Qt::Key) is left as the key the box receives, set to
    /// another key the box receives instead, or set to 0 to drop it (the window then tells the operator). Only keys
    /// typed without Control or Alt come here; editing shortcuts such as Ctrl+V and Ctrl+A reach the box directly,
    /// and the window checks the whole text when the box is left.
    virtual void FilterCurrencyKey(QWidget* edit, int& keyCode) = 0;
    /// The utilities component's current lookup value, handed to the lookup set-up.
    virtual std::string GetCurrentLookupValue() = 0;
};

} // namespace corvane
