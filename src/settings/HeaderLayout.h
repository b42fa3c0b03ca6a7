#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace corvane {

/// A field the patient header can show.
struct HeaderField {
    std::string code;
    std::string caption;
};

/// The patient header as "Configure Header" (pages 7 and 8) arranges it: slots five to a row, each naming one
/// field or none. The read "|GET|PATSET|DEFAULT|" answers two lines: the fields the header can show (code TAB
/// caption, separated by byte 230) and the slots (separated by byte 230, each the field's code followed by any
/// options of the slot, which are kept while the slot keeps its field).
class HeaderLayout {
public:
    static constexpr std::size_t perRow = 5;
    static constexpr std::size_t maxRows = 4;
    static constexpr std::string_view readRequest = "|GET|PATSET|DEFAULT|";
    static constexpr std::string_view resetRequest = "|SET|PATSET|DEFAULT|CLEAR||";

    /// Takes a reply; false for an error reply.
    bool read(std::string_view reply);
    bool loaded() const { return m_loaded; }

    const std::vector<HeaderField>& fields() const { return m_fields; }
    /// The caption of a code, or the code itself when the server does not offer it.
    std::string captionOf(std::string_view code) const;

    std::size_t rows() const { return m_slots.size() / perRow; }
    std::size_t slotCount() const { return m_slots.size(); }
    /// The code of a slot; empty for an empty slot.
    std::string code(std::size_t slot) const;
    const std::string& entry(std::size_t slot) const { return m_slots.at(slot); }
    /// Puts a field (or none, with an empty code) into a slot; the slot's options go when its field changes.
    void setSlot(std::size_t slot, std::string_view code);
    bool addRow();
    /// Removes a row; the rows below move up.
    bool removeRow(std::size_t row);

    /// A field placed twice or a header without fields.
    std::optional<std::string> refusal() const;
    bool changed() const { return layoutText() != m_loadedText; }
    /// The slots joined by byte 230, empty slots at the end left out.
    std::string layoutText() const;
    /// "|SET|PATSET|DEFAULT||ALL|" (every operator's own header replaced) or "|SET|PATSET|DEFAULT|||", then the
    /// layout.
    std::string saveRequest(bool toAllOperators) const;
    void markSaved() { m_loadedText = layoutText(); }

private:
    std::vector<HeaderField> m_fields;
    std::vector<std::string> m_slots;
    std::string m_loadedText;
    bool m_loaded = false;
};

} // namespace corvane
