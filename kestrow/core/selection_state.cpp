#include "kestrow/core/selection_state.h"

#include <algorithm>

#include "kestrow/core/printer_name.h"

namespace kestrow {

void SelectionState::setPrinters(PrinterList printers) {
    // Everything is built aside and then moved in, which cannot fail.
    std::vector<std::string> carried;
    if (!selectionEmpty()) {
        for (const auto name : selectedNames()) {
            carried.emplace_back(name);
        }
    }
    NameTable names(std::move(printers));
    std::vector<std::uint8_t> nameSelected(names.nameCount(), 0);
    std::vector<std::uint32_t> representativeRow(names.nameCount());
    for (NameId name = 0; name < names.nameCount(); ++name) {
        representativeRow[name] = static_cast<std::uint32_t>(names.firstRowOfName(name));
    }
    std::size_t selectedNameCount = 0;
    std::map<std::string, std::string> unlistedSelection;
    std::string scratch;
    for (auto& name : carried) {
        if (const auto listed = names.find(name)) {
            nameSelected[*listed] = 1;
            ++selectedNameCount;
        } else {
            std::string key(nfcKey(name, scratch));
            unlistedSelection.emplace(std::move(key), std::move(name));
        }
    }

    m_names = std::move(names);
    m_nameSelected = std::move(nameSelected);
    m_representativeRow = std::move(representativeRow);
    m_selectedNameCount = selectedNameCount;
    m_unlistedSelection = std::move(unlistedSelection);
    notify({Change::Kind::Printers});
}

void SelectionState::setSelected(std::size_t row, bool selected) {
    const NameId name = m_names.nameIdOfRow(row);
    const bool wasSelected = m_nameSelected[name] != 0;
    if (selected && !wasSelected) {
        m_nameSelected[name] = 1;
        m_representativeRow[name] = static_cast<std::uint32_t>(row);
        ++m_selectedNameCount;
    } else if (!selected && wasSelected) {
        m_nameSelected[name] = 0;
        --m_selectedNameCount;
    }
    // Every row of the name follows, and they all lie between its first and its last row.
    notify({Change::Kind::Selection, m_names.firstRowOfName(name), m_names.lastRowOfName(name) + 1});
}

bool SelectionState::allSelected() const {
    return !printers().empty() && m_selectedNameCount == m_names.nameCount();
}

void SelectionState::setAllSelected(bool selected) {
    if (selected) {
        for (NameId name = 0; name < m_names.nameCount(); ++name) {
            if (m_nameSelected[name] == 0) {
                m_nameSelected[name] = 1;
                m_representativeRow[name] = static_cast<std::uint32_t>(m_names.firstRowOfName(name));
            }
        }
        m_selectedNameCount = m_names.nameCount();
    } else {
        std::fill(m_nameSelected.begin(), m_nameSelected.end(), std::uint8_t{0});
        m_selectedNameCount = 0;
    }
    // Either way the selection is replaced whole, so names no longer listed leave it.
    m_unlistedSelection.clear();
    notify({Change::Kind::Selection, 0, printers().size()});
}

// Calls visit(composed form, bytes) for each chosen name: the listed ones, then those a reload
// dropped from the list.
template <typename Visit> void SelectionState::forEachChosenName(Visit visit) const {
    for (NameId name = 0; name < m_names.nameCount(); ++name) {
        if (m_nameSelected[name] != 0) {
            visit(m_names.composedForm(name), printers()[m_representativeRow[name]]);
        }
    }
    for (const auto& [composed, bytes] : m_unlistedSelection) {
        visit(std::string_view(composed), std::string_view(bytes));
    }
}

std::vector<std::string_view> SelectionState::selectedNames() const {
    std::vector<std::string_view> names;
    names.reserve(selectionSize());
    forEachChosenName([&](std::string_view, std::string_view bytes) { names.push_back(bytes); });
    return names;
}

std::vector<std::string_view> SelectionState::selectedNamesInScalarOrder() const {
    // The composed forms were found when the list was loaded: no name is normalised again.
    std::vector<KeyedName> keyed;
    keyed.reserve(selectionSize());
    const auto keep = [&](std::string_view composed, std::string_view bytes) {
        keyed.push_back({composed, bytes});
    };
    forEachChosenName(keep);
    sortByKey(keyed);
    std::vector<std::string_view> names;
    names.reserve(keyed.size());
    for (const auto& entry : keyed) {
        names.push_back(entry.name);
    }
    return names;
}

void SelectionState::raiseAlert(Alert alert) {
    m_alert = std::move(alert);
    m_showAlert = true;
    notify({Change::Kind::Alert});
}

void SelectionState::dismissAlert() {
    m_showAlert = false;
    notify({Change::Kind::Alert});
}

void SelectionState::notify(const Change& change) const {
    if (m_listener) {
        m_listener(change);
    }
}

} // namespace kestrow
