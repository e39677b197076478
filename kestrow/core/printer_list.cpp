#include "kestrow/core/printer_list.h"

#include <cstdint>
#include <cstring>

#include <unicode/utf8.h>

namespace kestrow {
namespace {

enum class CharKind : std::uint8_t { Ordinary, Blank, LineEnd };

constexpr bool isSpaceSeparator(std::int32_t c) {
    // General category Zs.
    return c == 0x20 || c == 0xA0 || c == 0x1680 || (c >= 0x2000 && c <= 0x200A) || c == 0x202F ||
           c == 0x205F || c == 0x3000;
}

constexpr CharKind kindOf(std::int32_t c) {
    if ((c >= 0x0A && c <= 0x0D) || c == 0x85 || c == 0x2028 || c == 0x2029) {
        return CharKind::LineEnd;
    }
    if (c == 0x09 || isSpaceSeparator(c)) {
        return CharKind::Blank;
    }
    return CharKind::Ordinary;
}

// Decodes one code point strictly; negative for an ill-formed sequence.
std::int32_t decodeNext(const char* text, std::size_t& i, std::size_t length) {
    std::int32_t c = 0;
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wold-style-cast"
    U8_NEXT(text, i, length, c);
#pragma GCC diagnostic pop
    return c;
}

// True when all eight bytes are printable ASCII other than space: no line end, no blank, no
// multi-byte sequence, so the scanner can take them in one step.
bool isPlainWord(const char* bytes) {
    constexpr std::uint64_t ones = 0x0101010101010101ULL;
    constexpr std::uint64_t highBits = 0x8080808080808080ULL;
    std::uint64_t word = 0;
    std::memcpy(&word, bytes, sizeof word);
    return (((word - ones * 0x21) | word) & highBits) == 0;
}

} // namespace

PrinterList PrinterList::fromNames(const std::vector<std::string>& names) {
    std::string text;
    for (const auto& name : names) {
        text += name;
        text += '\n';
    }
    PrinterList list;
    auto owner = std::make_shared<const std::string>(std::move(text));
    std::size_t offset = 0;
    for (const auto& name : names) {
        list.m_names.emplace_back(owner->data() + offset, name.size());
        offset += name.size() + 1;
    }
    list.m_text = std::move(owner);
    return list;
}

ParsedList parsePrinterList(std::string text, std::size_t maximumNames) {
    PrinterList list;
    auto owner = std::make_shared<const std::string>(std::move(text));
    const char* bytes = owner->data();
    const std::size_t length = owner->size();

    std::size_t i = 0;
    if (owner->starts_with("\xEF\xBB\xBF")) {
        i = 3;
    }
    std::size_t lineStart = i;
    bool lineHasName = false;
    while (i < length) {
        if (i + 8 <= length && isPlainWord(bytes + i)) {
            lineHasName = true;
            i += 8;
            continue;
        }
        const std::size_t charStart = i;
        const auto byte = static_cast<unsigned char>(bytes[i]);
        std::int32_t c = byte;
        if (byte < 0x80) {
            ++i;
        } else {
            c = decodeNext(bytes, i, length);
            if (c < 0) {
                return {std::nullopt, FileError::Kind::NotUtf8Text};
            }
        }
        switch (kindOf(c)) {
        case CharKind::Ordinary:
            lineHasName = true;
            break;
        case CharKind::Blank:
            break;
        case CharKind::LineEnd:
            if (lineHasName) {
                if (list.m_names.size() == maximumNames) {
                    return {std::nullopt, FileError::Kind::TooManyNames};
                }
                list.m_names.emplace_back(bytes + lineStart, charStart - lineStart);
            }
            lineStart = i;
            lineHasName = false;
            break;
        }
    }
    if (lineHasName) {
        if (list.m_names.size() == maximumNames) {
            return {std::nullopt, FileError::Kind::TooManyNames};
        }
        list.m_names.emplace_back(bytes + lineStart, length - lineStart);
    }
    list.m_text = std::move(owner);
    return {std::move(list), FileError::Kind::NotUtf8Text};
}

} // namespace kestrow
