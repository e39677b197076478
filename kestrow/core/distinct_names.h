#pragma once

#include <cstdint>
#include <optional>
#include <string_view>
#include <vector>

#include "printer_list.h"

namespace kestrow {

// Numbers the distinct names of a printer list (equal under NFC) in order of first appearance,
// so that per-name state can live in flat arrays instead of a set of strings.
class DistinctNames {
public:
    DistinctNames() = default;
    explicit DistinctNames(const PrinterList& printers);

    std::size_t count() const { return m_firstRowOfName.size(); }
    std::uint32_t nameOfRow(std::size_t row) const { return m_nameOfRow[row]; }
    std::uint32_t firstRowOfName(std::uint32_t name) const { return m_firstRowOfName[name]; }
    // The number of the name equal to name under NFC in printers, the list this was built from.
    std::optional<std::uint32_t> find(std::string_view name, const PrinterList& printers) const;

private:
    struct Probe {
        std::size_t slot;
        std::uint8_t tag;
    };
    Probe slotFor(std::string_view key, const PrinterList& printers) const;

    std::vector<std::uint32_t> m_nameOfRow;
    std::vector<std::uint32_t> m_firstRowOfName;
    std::vector<std::uint32_t> m_slots; // open addressing: name number + 1, or 0 for free
    std::vector<std::uint8_t> m_tags;   // per slot: the top byte of its name's hash
};

} // namespace kestrow
