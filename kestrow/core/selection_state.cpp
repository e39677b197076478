#include "selection_state.h"

#include <algorithm>

#include "printer_name.h"

namespace kestrow {

void SelectionState::setPrinters(PrinterList printers) {
    // Loading never changes what is chosen: carry the chosen names over by name.
    std::vector<std::string> carried;
    if (!selectionEmpty()) {
        for (const auto name : selectedNames()) {
            carried.emplace_back(name);
        }
    }

    m_printers = std::move(printers);
    m_names = DistinctNames(m_printers);
    m_nameSelected.assign(m_names.count(), 0);
    m_representativeRow.resize(m_names.count());
    for (std::uint32_t name = 0; name < m_names.count(); ++name) {
        m_representativeRow[name] = m_names.firstRowOfName(name);
    }
    m_selectedNameCount = 0;
    m_unlistedSelection.clear();

    std::string scratch;
    for (auto& name : carried) {
        if (const auto listed = m_names.find(name, m_printers)) {
            m_nameSelected[*listed] = 1;
            ++m_selectedNameCount;
        } else {
            std::string key(nfcKey(name, scratch));
            m_unlistedSelection.emplace(std::move(key), std::move(name));
        }
    }
    notify(Change::Printers);
}

void SelectionState::setSelected(std::size_t row, bool selected) {
    const auto name = m_names.nameOfRow(row);
    const bool wasSelected = m_nameSelected[name] != 0;
    if (selected && !wasSelected) {
        m_nameSelected[name] = 1;
        m_representativeRow[name] = static_cast<std::uint32_t>(row);
        ++m_selectedNameCount;
    } else if (!selected && wasSelected) {
        m_nameSelected[name] = 0;
        --m_selectedNameCount;
    }
    notify(Change::Selection);
}

bool SelectionState::allSelected() const {
    return !m_printers.empty() && m_selectedNameCount == m_names.count();
}

void SelectionState::setAllSelected(bool selected) {
    if (selected) {
        for (std::uint32_t name = 0; name < m_names.count(); ++name) {
            if (m_nameSelected[name] == 0) {
                m_nameSelected[name] = 1;
                m_representativeRow[name] = m_names.firstRowOfName(name);
            }
        }
        m_selectedNameCount = m_names.count();
    } else {
        std::fill(m_nameSelected.begin(), m_nameSelected.end(), std::uint8_t{0});
        m_selectedNameCount = 0;
    }
    // Either way the selection is replaced whole, so names no longer listed leave it.
    m_unlistedSelection.clear();
    notify(Change::Selection);
}

std::vector<std::string_view> SelectionState::selectedNames() const {
    std::vector<std::string_view> names;
    names.reserve(selectionSize());
    for (std::uint32_t name = 0; name < m_names.count(); ++name) {
        if (m_nameSelected[name] != 0) {
            names.push_back(m_printers[m_representativeRow[name]]);
        }
    }
    for (const auto& entry : m_unlistedSelection) {
        names.push_back(entry.second);
    }
    return names;
}

void SelectionState::raiseAlert(std::string message) {
    m_alertMessage = std::move(message);
    m_showAlert = true;
    notify(Change::Alert);
}

void SelectionState::dismissAlert() {
    m_showAlert = false;
    notify(Change::Alert);
}

void SelectionState::notify(Change change) const {
    if (m_listener) {
        m_listener(change);
    }
}

} // namespace kestrow
