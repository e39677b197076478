#include "kestrow/core/name_table.h"

#include <bit>
#include <functional>

#include "kestrow/core/printer_name.h"

namespace kestrow {

NameTable::NameTable(PrinterList printers)
    : m_printers(std::move(printers)) {
    const std::size_t rows = m_printers.size();
    if (rows == 0) {
        return; // an empty table allocates nothing, so clearing a list cannot fail
    }
    // At most half full, so probes stay short.
    m_slots.assign(std::bit_ceil(rows * 2 + 2), 0);
    m_tags.assign(m_slots.size(), 0);
    m_nameIdOfRow.reserve(rows);
    std::string scratch;
    for (std::size_t row = 0; row < rows; ++row) {
        const auto composed = nfcKey(m_printers[row], scratch);
        const auto [slot, tag] = slotFor(composed);
        if (m_slots[slot] == 0) {
            const auto name = static_cast<NameId>(m_firstRowOfName.size());
            const bool decomposed = composed.data() == scratch.data();
            m_firstRowOfName.push_back(static_cast<std::uint32_t>(row));
            m_lastRowOfName.push_back(static_cast<std::uint32_t>(row));
            m_listedDecomposed.push_back(decomposed);
            if (decomposed) {
                m_composedForms.emplace(name, scratch);
            }
            m_slots[slot] = name + 1;
            m_tags[slot] = tag;
        }
        const NameId name = m_slots[slot] - 1;
        m_lastRowOfName[name] = static_cast<std::uint32_t>(row);
        m_nameIdOfRow.push_back(name);
    }
}

std::string_view NameTable::composedForm(NameId name) const {
    if (m_listedDecomposed[name]) {
        return m_composedForms.at(name);
    }
    return m_printers[m_firstRowOfName[name]];
}

std::optional<NameId> NameTable::find(std::string_view name) const {
    if (m_slots.empty()) {
        return std::nullopt;
    }
    std::string scratch;
    const std::size_t slot = slotFor(nfcKey(name, scratch)).slot;
    if (m_slots[slot] == 0) {
        return std::nullopt;
    }
    return m_slots[slot] - 1;
}

// The slot that holds the name with this composed form, or the free slot where it belongs.
NameTable::Probe NameTable::slotFor(std::string_view composed) const {
    const std::size_t mask = m_slots.size() - 1;
    const std::size_t hash = std::hash<std::string_view>{}(composed);
    // A byte of the hash kept per slot: most mismatches are settled without reading the other
    // name, which at a million names would mean a cache miss per probe.
    const auto tag = static_cast<std::uint8_t>(hash >> (8 * (sizeof hash - 1)));
    std::size_t slot = hash & mask;
    while (m_slots[slot] != 0) {
        if (m_tags[slot] == tag && composedForm(m_slots[slot] - 1) == composed) {
            break;
        }
        slot = (slot + 1) & mask;
    }
    return {slot, tag};
}

} // namespace kestrow
