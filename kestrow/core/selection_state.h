#pragma once

#include <cstdint>
#include <functional>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "kestrow/core/alert.h"
#include "kestrow/core/name_table.h"
#include "kestrow/core/printer_list.h"

namespace kestrow {

// The dialog's state: the loaded printers, the chosen names and the alert. Every store tells the
// listener what changed, so that a window can redraw from the state alone.
class SelectionState {
public:
    struct Change {
        enum class Kind { Printers, Selection, Alert };
        Kind kind;
        // For a selection change: the rows [firstRow, endRow) whose check state may have changed.
        std::size_t firstRow = 0;
        std::size_t endRow = 0;
    };
    using ChangeListener = std::function<void(const Change&)>;

    void setChangeListener(ChangeListener listener) { m_listener = std::move(listener); }

    const PrinterList& printers() const { return m_names.printers(); }
    // Replaces the list all or nothing: should building it fail (out of memory), the state is as
    // it was. What is chosen is carried over by name.
    void setPrinters(PrinterList printers);

    // The row rule: a row is on while its name is chosen; rows of one name share that state.
    bool isSelected(std::size_t row) const { return m_nameSelected[m_names.nameIdOfRow(row)] != 0; }
    void setSelected(std::size_t row, bool selected);

    // The select-all rule. allSelected holds when every distinct listed name is chosen.
    bool allSelected() const;
    void setAllSelected(bool selected);

    bool selectionEmpty() const { return m_selectedNameCount == 0 && m_unlistedSelection.empty(); }
    std::size_t selectionSize() const { return m_selectedNameCount + m_unlistedSelection.size(); }
    // The chosen names, each with the bytes of the row through which it was chosen: unordered, or
    // in the selection file's order (the scalar order of their NFC forms).
    std::vector<std::string_view> selectedNames() const;
    std::vector<std::string_view> selectedNamesInScalarOrder() const;

    bool showAlert() const { return m_showAlert; }
    // The last alert raised, which stays after it is dismissed; nothing before the first.
    const std::optional<Alert>& alert() const { return m_alert; }
    // Its English text, or empty before the first alert.
    std::string alertMessage() const { return m_alert ? englishText(*m_alert) : std::string(); }
    void raiseAlert(Alert alert);
    void dismissAlert();

private:
    void notify(const Change& change) const;
    template <typename Visit> void forEachChosenName(Visit visit) const;

    NameTable m_names;
    std::vector<std::uint8_t> m_nameSelected;       // per NameId
    std::vector<std::uint32_t> m_representativeRow; // per NameId: whose bytes are written
    std::size_t m_selectedNameCount = 0;
    // Names chosen before a reload that the new list no longer holds: NFC form -> bytes.
    std::map<std::string, std::string> m_unlistedSelection;
    bool m_showAlert = false;
    std::optional<Alert> m_alert;
    ChangeListener m_listener;
};

} // namespace kestrow
