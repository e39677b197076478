#pragma once

#include <cstdint>
#include <functional>
#include <map>
#include <string>
#include <string_view>
#include <vector>

#include "distinct_names.h"
#include "printer_list.h"

namespace kestrow {

// The dialog's state: the loaded printers, the chosen names and the alert. Every store tells the
// listener what changed, so that a window can redraw from the state alone.
class SelectionState {
public:
    enum class Change { Printers, Selection, Alert };
    using ChangeListener = std::function<void(Change)>;

    void setChangeListener(ChangeListener listener) { m_listener = std::move(listener); }

    const PrinterList& printers() const { return m_printers; }
    void setPrinters(PrinterList printers);

    // The row rule: a row is on while its name is chosen; rows of one name share that state.
    bool isSelected(std::size_t row) const { return m_nameSelected[m_names.nameOfRow(row)] != 0; }
    void setSelected(std::size_t row, bool selected);

    // The select-all rule. allSelected holds when every distinct listed name is chosen.
    bool allSelected() const;
    void setAllSelected(bool selected);

    bool selectionEmpty() const { return m_selectedNameCount == 0 && m_unlistedSelection.empty(); }
    std::size_t selectionSize() const { return m_selectedNameCount + m_unlistedSelection.size(); }
    // The chosen names, unordered, each with the bytes of the row through which it was chosen.
    std::vector<std::string_view> selectedNames() const;

    bool showAlert() const { return m_showAlert; }
    const std::string& alertMessage() const { return m_alertMessage; }
    void raiseAlert(std::string message);
    void dismissAlert();

private:
    void notify(Change change) const;

    PrinterList m_printers;
    DistinctNames m_names;
    std::vector<std::uint8_t> m_nameSelected;       // per distinct name
    std::vector<std::uint32_t> m_representativeRow; // per distinct name: whose bytes are written
    std::size_t m_selectedNameCount = 0;
    // Names chosen before a reload that the new list no longer holds: NFC form -> bytes.
    std::map<std::string, std::string> m_unlistedSelection;
    bool m_showAlert = false;
    std::string m_alertMessage;
    ChangeListener m_listener;
};

} // namespace kestrow
