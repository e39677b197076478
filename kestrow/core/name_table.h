#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "kestrow/core/printer_list.h"

namespace kestrow {

// The number of a distinct name (names equal under NFC share one).
using NameId = std::uint32_t;

// Numbers the distinct names of a printer list in order of first appearance, so that per-name
// state can live in flat arrays instead of a set of strings. It holds the list it numbers and
// each name's composed form, so that neither a lookup nor the sort at confirm normalises again.
class NameTable {
public:
    NameTable() = default;
    explicit NameTable(PrinterList printers);

    const PrinterList& printers() const { return m_printers; }
    std::size_t nameCount() const { return m_firstRowOfName.size(); }
    NameId nameIdOfRow(std::size_t row) const { return m_nameIdOfRow[row]; }
    std::size_t firstRowOfName(NameId name) const { return m_firstRowOfName[name]; }
    std::size_t lastRowOfName(NameId name) const { return m_lastRowOfName[name]; }

    // The NFC form a name is compared and sorted by: its listed bytes when they are composed.
    std::string_view composedForm(NameId name) const;

    // The name equal to name under NFC, if the list holds one.
    std::optional<NameId> find(std::string_view name) const;

private:
    struct Probe {
        std::size_t slot;
        std::uint8_t tag;
    };
    Probe slotFor(std::string_view composed) const;

    PrinterList m_printers;
    std::vector<NameId> m_nameIdOfRow;
    std::vector<std::uint32_t> m_firstRowOfName;
    std::vector<std::uint32_t> m_lastRowOfName;
    std::vector<std::uint32_t> m_slots; // open addressing: NameId + 1, or 0 for free
    std::vector<std::uint8_t> m_tags;   // per slot: the top byte of its name's hash
    // Names listed in a decomposed form are rare: their composed forms live apart.
    std::vector<bool> m_listedDecomposed; // per name
    std::unordered_map<NameId, std::string> m_composedForms;
};

} // namespace kestrow
