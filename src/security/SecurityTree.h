#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace corvane {

/// A page of the security tree: its module word and the text its node shows.
struct SecurityPage {
    std::string word;
    std::string text;
    bool operator==(const SecurityPage&) const = default;
};

/// A node key split into its parts: kind letter, code and module word (a root has only a kind).
struct SecurityNodeKey {
    std::string kind;
    std::string code;
    std::string word;
    int parts = 0;
};

/// The security window's tree and page rules, kept out of the widgets.
class SecurityTree {
public:
    static constexpr std::string_view groupNamePrefix = "Security Group ";
    static constexpr std::string_view logOffAdvice = "Please Logoff and Logon for new settings to take effect.";
    static constexpr std::string_view viewOnlyNote = "   (Settings for VQ are Read Only)";

    /// Kind letter, code and module word joined by tabs; fewer parts for roots, operators and groups.
    static std::string nodeKey(std::string_view kind, std::string_view code = {}, std::string_view word = {},
                               int parts = 3);
    static SecurityNodeKey splitKey(std::string_view key);
    /// Code and description with three blanks between for codes longer than four characters, else 6 - length.
    static std::string operatorText(std::string_view code, std::string_view description);
    /// "Security Group " and the number.
    static std::string groupName(int number);
    /// The pages under an operator ("O"), a group ("G") or System ("S"), in the order they are added.
    /// entityMix: "N", "A" or "M"; mayEdit: the security-editing right; developer: the host's developer mode.
    static std::vector<SecurityPage> pages(std::string_view kind, std::string_view entityMix, bool mayEdit,
                                           bool developer);
    /// "Operator Security", "Group Security" or "System Security".
    static std::string kindTitle(std::string_view kind);
    /// Whether a module word's page reads anesthesia data.
    static bool anesthesia(std::string_view word);
    /// A page is view-only without the security-editing right and always for the operator VQ.
    static bool viewOnly(std::string_view kind, std::string_view code, bool mayEdit);
    /// The message after saving a page: with the log-off advice for the signed-in operator's own settings.
    static std::string savedText(std::string_view code, bool ownSettings);
};

} // namespace corvane
