#include "distinct_names.h"

#include <bit>
#include <functional>
#include <string>

#include "printer_name.h"

namespace kestrow {

DistinctNames::DistinctNames(const PrinterList& printers) {
    // At most half full, so probes stay short.
    m_slots.assign(std::bit_ceil(printers.size() * 2 + 2), 0);
    m_nameOfRow.reserve(printers.size());
    std::string scratch;
    for (std::size_t row = 0; row < printers.size(); ++row) {
        const auto key = nfcKey(printers[row], scratch);
        const std::size_t slot = slotFor(key, printers);
        if (m_slots[slot] == 0) {
            m_firstRowOfName.push_back(static_cast<std::uint32_t>(row));
            m_slots[slot] = static_cast<std::uint32_t>(m_firstRowOfName.size());
        }
        m_nameOfRow.push_back(m_slots[slot] - 1);
    }
}

std::optional<std::uint32_t> DistinctNames::find(std::string_view name, const PrinterList& printers) const {
    if (m_slots.empty()) {
        return std::nullopt;
    }
    std::string scratch;
    const auto key = nfcKey(name, scratch);
    const std::size_t slot = slotFor(key, printers);
    if (m_slots[slot] == 0) {
        return std::nullopt;
    }
    return m_slots[slot] - 1;
}

// The slot that holds key's name, or the free slot where it belongs.
std::size_t DistinctNames::slotFor(std::string_view key, const PrinterList& printers) const {
    const std::size_t mask = m_slots.size() - 1;
    std::size_t slot = std::hash<std::string_view>{}(key)&mask;
    std::string otherScratch;
    while (m_slots[slot] != 0) {
        const auto other = printers[m_firstRowOfName[m_slots[slot] - 1]];
        if (other == key || nfcKey(other, otherScratch) == key) {
            return slot;
        }
        slot = (slot + 1) & mask;
    }
    return slot;
}

} // namespace kestrow
