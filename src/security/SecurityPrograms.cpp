#include "SecurityPrograms.h"

#include "SecurityReply.h"
#include "SeparatorCheck.h"
#include "Text.h"

#include <algorithm>

namespace corvane {

bool SecurityPrograms::load(std::string_view reply)
{
    m_entries.clear();
    m_loaded = false;
    if (SecurityReply::failed(reply))
        return false;
    const std::string text = SecurityReply::withoutLineBreaks(reply);
    for (std::string_view record : SecurityReply::records(text)) {
        const auto parts = text::split(record, '\t');
        if (parts.size() != 3)
            continue;
        m_entries.push_back(
            {std::string(text::trim(parts[0])), std::string(text::trim(parts[1])), std::string(parts[2])});
    }
    m_loaded = true;
    return true;
}

std::vector<ProgramModule> SecurityPrograms::modules() const
{
    std::vector<ProgramModule> modules;
    for (const auto& entry : m_entries) {
        if (entry.isModule())
            modules.push_back({entry, {}});
        else if (!modules.empty())
            modules.back().programs.push_back(entry);
    }
    return modules;
}

std::vector<SecurityProgram> SecurityPrograms::unplaced() const
{
    std::vector<SecurityProgram> programs;
    for (const auto& entry : m_entries) {
        if (entry.isModule())
            break;
        programs.push_back(entry);
    }
    return programs;
}

const SecurityProgram* SecurityPrograms::find(std::string_view code) const
{
    const std::string_view wanted = text::trim(code);
    for (const auto& entry : m_entries) {
        if (text::equalsNoCase(entry.code, wanted))
            return &entry;
    }
    return nullptr;
}

char NewSecurityProgram::groupMode() const
{
    const auto chosen = std::count(groups.begin(), groups.end(), true);
    return chosen == groupCount ? 'A' : chosen == 0 ? 'N' : 'S';
}

std::string NewSecurityProgram::existsText(std::string_view code)
{
    return "Program " + std::string(code) + " already exists." + std::string(text::lineBreak)
        + "Please change Security Program name before continuing.";
}

std::string NewSecurityProgram::invalidTypeText(std::string_view type)
{
    return "Type " + std::string(type) + " is not a valid security program type.";
}

std::optional<std::string> NewSecurityProgram::refusal(const SecurityPrograms& existing,
                                                       const std::vector<std::string>& validTypes) const
{
    const std::string_view trimmedCode = text::trim(code);
    const std::string_view trimmedType = text::trim(type);
    if (trimmedCode.empty())
        return std::string("Please enter the Security Program.");
    if (const auto byte = SeparatorCheck::firstRefused(trimmedCode, ":"))
        return SeparatorCheck::refusalText("Security Program", *byte);
    if (existing.find(trimmedCode))
        return existsText(trimmedCode);
    if (text::trim(description).empty())
        return std::string("Please enter the Description.");
    if (const auto byte = SeparatorCheck::firstRefused(description, ":"))
        return SeparatorCheck::refusalText("Description", *byte);
    if (trimmedType.empty())
        return std::string("Please enter the Type.");
    const bool known = std::any_of(validTypes.begin(), validTypes.end(),
                                   [&](const std::string& valid) { return text::equalsNoCase(valid, trimmedType); });
    if (!known || SeparatorCheck::firstRefused(trimmedType, ":"))
        return invalidTypeText(trimmedType);
    return std::nullopt;
}

std::string NewSecurityProgram::saveRequest() const
{
    const auto flag = [](bool on) {
        return on ? "1" : "0";
    };
    std::string request = "|SET|SECP|";
    request += text::trim(code);
    request += ':';
    request += description;
    request += ':';
    request += text::trim(type);
    for (bool right : {read, add, modify, remove}) {
        request += ':';
        request += flag(right);
    }
    request += ':';
    const char mode = groupMode();
    request += mode;
    if (mode == 'S') {
        request += ':';
        bool first = true;
        for (int g = 0; g < groupCount; ++g) {
            if (!groups[static_cast<std::size_t>(g)])
                continue;
            if (!first)
                request += ',';
            request += std::to_string(g);
            first = false;
        }
    }
    return request;
}

} // namespace corvane
