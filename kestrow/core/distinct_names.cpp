#include "distinct_names.h"

#include <bit>
#include <functional>
#include <string>

#include "printer_name.h"

namespace kestrow {

DistinctNames::DistinctNames(const PrinterList& printers) {
    // At most half full, so probes stay short.
    m_slots.assign(std::bit_ceil(printers.size() * 2 + 2), 0);
    m_tags.assign(m_slots.size(), 0);
    m_nameOfRow.reserve(printers.size());
    std::string scratch;
    for (std::size_t row = 0; row < printers.size(); ++row) {
        const auto key = nfcKey(printers[row], scratch);
        const auto [slot, tag] = slotFor(key, printers);
        if (m_slots[slot] == 0) {
            m_firstRowOfName.push_back(static_cast<std::uint32_t>(row));
            m_slots[slot] = static_cast<std::uint32_t>(m_firstRowOfName.size());
            m_tags[slot] = tag;
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
    const std::size_t slot = slotFor(key, printers).slot;
    if (m_slots[slot] == 0) {
        return std::nullopt;
    }
    return m_slots[slot] - 1;
}

// The slot that holds key's name, or the free slot where it belongs.
DistinctNames::Probe DistinctNames::slotFor(std::string_view key, const PrinterList& printers) const {
    const std::size_t mask = m_slots.size() - 1;
    const std::size_t hash = std::hash<std::string_view>{}(key);
    // A byte of the hash kept per slot: most mismatches are settled without reading the other
    // name, which at a million names would mean a cache miss per probe.
    const auto tag = static_cast<std::uint8_t>(hash >> (8 * (sizeof hash - 1)));
    std::size_t slot = hash & mask;
    std::string otherScratch;
    while (m_slots[slot] != 0) {
        if (m_tags[slot] == tag) {
            const auto other = printers[m_firstRowOfName[m_slots[slot] - 1]];
            if (other == key || nfcKey(other, otherScratch) == key) {
                break;
            }
        }
        slot = (slot + 1) & mask;
    }
    return {slot, tag};
}

} // namespace kestrow
