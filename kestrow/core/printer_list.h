#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "kestrow/core/file_error.h"

namespace kestrow {

struct ParsedList;

// The printer names of one list file, in file order, duplicates kept. The names are views into
// one buffer that holds the file's text, so a million names cost the text plus one view each.
class PrinterList {
public:
    PrinterList() = default;

    std::size_t size() const { return m_names.size(); }
    bool empty() const { return m_names.empty(); }
    std::string_view operator[](std::size_t row) const { return m_names[row]; }
    const std::vector<std::string_view>& names() const { return m_names; }

    // For tests and tools: a list holding exactly these names.
    static PrinterList fromNames(const std::vector<std::string>& names);

private:
    friend ParsedList parsePrinterList(std::string text, std::size_t maximumNames);
    std::shared_ptr<const std::string> m_text;
    std::vector<std::string_view> m_names;
};

// The most names a list may hold: a list view numbers its rows with int.
inline constexpr std::size_t maximumPrinterCount = INT32_MAX;

struct ParsedList {
    std::optional<PrinterList> printers;                    // nothing when the text cannot be a printer list
    FileError::Kind refusal = FileError::Kind::NotUtf8Text; // why, then
};

// Splits the list file's text into names: each of LF, VT, FF, CR, U+0085, U+2028 and U+2029 ends
// a line on its own; lines of only tabs, line ends and space separators (Zs) are dropped; every
// other line is kept byte for byte. A leading UTF-8 byte-order mark is dropped. Refuses text that
// is not valid UTF-8, and stops at once when there are more than maximumNames names.
ParsedList parsePrinterList(std::string text, std::size_t maximumNames = maximumPrinterCount);

} // namespace kestrow
