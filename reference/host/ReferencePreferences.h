#pragma once

#include "CorvaneUtils.h"

#include <map>
#include <string>

namespace corvane::reference {

/// Operator preferences as "KEY=value" lines (CR LF between them).
class ReferencePreferences final : public Preferences {
public:
    explicit ReferencePreferences(std::string text = {});

    std::string currentText() const override { return m_text; }
    /// Merges this object's values into text: existing keys are replaced, new ones appended.
    void writeSettings(std::string& text) const override;
    std::string value(const std::string& key) const override;
    bool setValue(const std::string& key, const std::string& value) override;

    static std::map<std::string, std::string> parse(const std::string& text);
    static std::string format(const std::map<std::string, std::string>& values);

private:
    std::string m_text;
};

/// Display settings of the reference host.
class ReferenceDisplaySettings final : public DisplaySettings {
public:
    std::int32_t firstValue() const override { return 0; }
    std::string lookupSeparator() const override { return separator; }
    std::int32_t secondValue() const override { return 0; }
    std::int32_t thirdValue() const override { return 0; }
    double columnWidthMultiplier() const override { return widthMultiplier; }
    std::int32_t disabledCellColour() const override { return disabledColour; }
    bool closeAfterPost() const override { return closeAfter; }

    std::string separator = " ~";
    double widthMultiplier = 8.0;
    std::int32_t disabledColour = 0xE8E8E8;
    bool closeAfter = false;
};

/// Rights read from the server's security data: "PROGRAM\tY\tN\tY\tY" lines.
class ReferenceRights final : public RightsList {
public:
    explicit ReferenceRights(const std::vector<std::string>& lines);
    std::optional<ProgramRights> entry(const std::string& programCode) const override;

private:
    std::map<std::string, ProgramRights> m_entries;
};

} // namespace corvane::reference
