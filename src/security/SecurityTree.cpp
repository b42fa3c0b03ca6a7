#include "SecurityTree.h"

#include "Text.h"

namespace corvane {

std::string SecurityTree::nodeKey(std::string_view kind, std::string_view code, std::string_view word, int parts)
{
    std::string key(kind);
    if (parts >= 2) {
        key += '\t';
        key += code;
    }
    if (parts >= 3) {
        key += '\t';
        key += word;
    }
    return key;
}

SecurityNodeKey SecurityTree::splitKey(std::string_view key)
{
    const auto pieces = text::split(key, '\t');
    SecurityNodeKey split;
    split.parts = static_cast<int>(pieces.size());
    split.kind = std::string(pieces[0]);
    if (pieces.size() > 1)
        split.code = std::string(pieces[1]);
    if (pieces.size() > 2)
        split.word = std::string(pieces[2]);
    return split;
}

std::string SecurityTree::operatorText(std::string_view code, std::string_view description)
{
    const std::size_t blanks = code.size() > 4 ? 3 : 6 - code.size();
    return std::string(code) + std::string(blanks, ' ') + std::string(description);
}

std::string SecurityTree::groupName(int number)
{
    return std::string(groupNamePrefix) + std::to_string(number);
}

std::vector<SecurityPage> SecurityTree::pages(std::string_view kind, std::string_view entityMix, bool mayEdit,
                                              bool developer)
{
    std::vector<SecurityPage> pages;
    if (kind == "O" || kind == "G") {
        pages.push_back({"mod", "Module Access"});
        if (kind == "O")
            pages.push_back({"entity", "Entity Access"});
        if (entityMix == "N")
            pages.push_back({"modify_trans", "Modify Transaction"});
        else if (entityMix == "A")
            pages.push_back({"modify_trans_anest", "Modify Transaction"});
        else if (entityMix == "M") {
            pages.push_back({"modify_trans", "Modify Transaction (Non Anesthesia)"});
            pages.push_back({"modify_trans_anest", "Modify Transaction (Anesthesia Only)"});
        }
        return pages;
    }
    if (kind != "S")
        return pages;
    if (entityMix == "N")
        pages.push_back({"mod_trans_group_setup", "Transaction groups setup"});
    else if (entityMix == "A")
        pages.push_back({"mod_trans_group_setup_anest", "Transaction groups setup"});
    else if (entityMix == "M") {
        pages.push_back({"mod_trans_group_setup", "Transaction groups setup (Non Anesthesia)"});
        pages.push_back({"mod_trans_group_setup_anest", "Transaction groups setup (Anesthesia Only)"});
    }
    if (mayEdit) {
        pages.push_back({"copy_security_settings", "Copy Security Settings"});
        pages.push_back({"distribute_security_settings", "Distribute Security Settings"});
    }
    if (developer)
        pages.push_back({"mod_security_programs", "Security Programs"});
    return pages;
}

std::string SecurityTree::kindTitle(std::string_view kind)
{
    if (kind == "O")
        return "Operator Security";
    if (kind == "G")
        return "Group Security";
    return "System Security";
}

bool SecurityTree::anesthesia(std::string_view word)
{
    return word == "modify_trans_anest" || word == "mod_trans_group_setup_anest";
}

bool SecurityTree::viewOnly(std::string_view kind, std::string_view code, bool mayEdit)
{
    return !mayEdit || (kind == "O" && text::equalsNoCase(text::trim(code), "VQ"));
}

std::string SecurityTree::savedText(std::string_view code, bool ownSettings)
{
    if (ownSettings)
        return "Settings Saved." + std::string(text::lineBreak) + std::string(logOffAdvice);
    return "Settings Saved for: " + std::string(text::lineBreak) + std::string(code);
}

} // namespace corvane
