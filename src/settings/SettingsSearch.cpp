#include "SettingsSearch.h"

#include "SettingsPages.h"
#include "SettingsTree.h"
#include "Text.h"

#include <algorithm>

namespace corvane {

namespace {

char lower(char c)
{
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

std::string lowered(std::string_view s)
{
    std::string out(s);
    std::transform(out.begin(), out.end(), out.begin(), lower);
    return out;
}

std::string leafPath(const TreeLeaf& leaf)
{
    std::string path;
    std::string_view rest = leaf.section;
    std::string_view sectionPath;
    while (!rest.empty()) {
        const std::size_t slash = rest.find('/');
        sectionPath = leaf.section.substr(0, leaf.section.size() - rest.size() + std::min(slash, rest.size()));
        const TreeSection* section = SettingsCatalogue::findSection(sectionPath);
        path += std::string(section ? section->text : rest.substr(0, slash)) + " / ";
        rest = slash == std::string_view::npos ? std::string_view() : rest.substr(slash + 1);
    }
    return path + std::string(leaf.text);
}

std::string leafWords(const TreeLeaf& leaf, const std::string& path)
{
    std::string words
        = path + "\t" + std::string(leaf.caption) + "\t" + std::string(leaf.key) + "\t" + std::string(leaf.name);
    if (const ChoiceList* choice = SettingsCatalogue::choiceFor(leaf.name)) {
        words += "\t" + std::string(choice->title) + "\t" + std::string(choice->note);
        for (const std::string_view caption : choice->captions)
            words += "\t" + std::string(caption);
    }
    if (const LookupLeaf* lookup = SettingsCatalogue::lookupFor(leaf.name))
        words += "\t" + std::string(lookup->title);
    if (const auto page = SettingsPages::forLeaf(leaf)) {
        words += "\t" + page->texts().header + "\t" + page->texts().note;
        for (const PageField& field : page->fields())
            words += "\t" + field.label + "\t" + field.key;
    }
    return text::replaceAll(words, "\n", " ");
}

} // namespace

SettingsSearch::SettingsSearch(bool developerMode)
{
    for (const TreeLeaf& leaf : SettingsCatalogue::leaves()) {
        if (leaf.developerOnly && !developerMode)
            continue;
        std::string path = leafPath(leaf);
        const std::string words = leafWords(leaf, path);
        append({SettingsTree::leafKey(leaf), std::move(path), &leaf}, words);
    }
}

void SettingsSearch::add(std::string nodeKey, std::string path, std::string_view words)
{
    const std::string all = path + "\t" + text::replaceAll(words, "\n", " ");
    append({std::move(nodeKey), std::move(path), nullptr}, all);
}

void SettingsSearch::append(SearchEntry entry, std::string_view words)
{
    m_starts.push_back(m_text.size());
    m_text += lowered(words);
    m_text += '\n';
    m_entries.push_back(std::move(entry));
}

std::optional<std::size_t> SettingsSearch::entryFor(std::string_view nodeKey) const
{
    for (std::size_t i = 0; i < m_entries.size(); ++i) {
        if (m_entries[i].nodeKey == nodeKey)
            return i;
    }
    return std::nullopt;
}

std::vector<std::size_t> SettingsSearch::find(std::string_view query) const
{
    std::vector<std::string> words;
    const std::string lowerQuery = lowered(query);
    for (const std::string_view word : text::split(lowerQuery, ' ')) {
        if (!word.empty() && word.find('\n') == std::string_view::npos)
            words.emplace_back(word);
    }
    std::vector<std::size_t> found;
    if (words.empty())
        return found;
    // The longest word is most likely the rarest: scan the whole text for it and check the others only inside the
    // entries it occurs in, so a query costs about one pass over the text.
    std::sort(words.begin(), words.end(), [](const auto& a, const auto& b) { return a.size() > b.size(); });
    const std::string_view all = m_text;
    std::size_t from = 0;
    while (from < all.size()) {
        const std::size_t hit = all.find(words.front(), from);
        if (hit == std::string_view::npos)
            break;
        const auto next = std::upper_bound(m_starts.begin(), m_starts.end(), hit);
        const std::size_t index = static_cast<std::size_t>(next - m_starts.begin()) - 1;
        const std::size_t end = next == m_starts.end() ? all.size() : *next;
        const std::string_view entryText = all.substr(m_starts[index], end - m_starts[index]);
        const bool everyWord = std::all_of(words.begin() + 1, words.end(), [&](const std::string& word) {
            return entryText.find(word) != std::string_view::npos;
        });
        if (everyWord)
            found.push_back(index);
        from = end;
    }
    return found;
}

std::optional<SearchStep> SettingsSearch::next(const std::vector<std::size_t>& matches,
                                               std::optional<std::size_t> current)
{
    if (matches.empty())
        return std::nullopt;
    if (!current)
        return SearchStep {matches.front(), false};
    const auto after = std::upper_bound(matches.begin(), matches.end(), *current);
    if (after != matches.end())
        return SearchStep {*after, false};
    return SearchStep {matches.front(), true};
}

} // namespace corvane
