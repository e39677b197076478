// libFuzzer target: any bytes as a printer list file, then select all and build the selection
// file's text. Every property is checked against an oracle written here, independent of the code
// under test (our own strict UTF-8 decoder, ICU's character categories and its UTF-16 NFC path).

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <map>
#include <optional>
#include <set>
#include <string>
#include <string_view>
#include <vector>

#include <unicode/normalizer2.h>
#include <unicode/uchar.h>
#include <unicode/unistr.h>

#include "kestrow/core/printer_list.h"
#include "kestrow/core/printer_name.h"
#include "kestrow/core/selection_state.h"

namespace {

[[noreturn]] void fail(const char* what) {
    std::fprintf(stderr, "printer_list_fuzzer: invariant violated: %s\n", what);
    std::fflush(stderr);
    __builtin_trap();
}

void check(bool holds, const char* what) {
    if (!holds) {
        fail(what);
    }
}

constexpr std::string_view byteOrderMark = "\xEF\xBB\xBF";

struct Scalar {
    char32_t value;
    std::size_t offset; // of its first byte
    std::size_t length; // in bytes
};

// Well-formed UTF-8 after Unicode's table of well-formed byte sequences: no overlong forms, no
// surrogates, nothing above U+10FFFF, no truncated or stray continuation bytes.
std::optional<std::vector<Scalar>> decodeStrictly(std::string_view text) {
    std::vector<Scalar> scalars;
    std::size_t i = 0;
    while (i < text.size()) {
        const auto lead = static_cast<unsigned char>(text[i]);
        std::size_t length = 0;
        unsigned char low = 0x80;
        unsigned char high = 0xBF;
        char32_t value = 0;
        if (lead < 0x80) {
            length = 1;
            value = lead;
        } else if (lead >= 0xC2 && lead <= 0xDF) {
            length = 2;
            value = lead & 0x1Fu;
        } else if (lead >= 0xE0 && lead <= 0xEF) {
            length = 3;
            value = lead & 0x0Fu;
            low = lead == 0xE0 ? 0xA0 : 0x80;
            high = lead == 0xED ? 0x9F : 0xBF;
        } else if (lead >= 0xF0 && lead <= 0xF4) {
            length = 4;
            value = lead & 0x07u;
            low = lead == 0xF0 ? 0x90 : 0x80;
            high = lead == 0xF4 ? 0x8F : 0xBF;
        } else {
            return std::nullopt;
        }
        if (text.size() - i < length) {
            return std::nullopt;
        }
        for (std::size_t k = 1; k < length; ++k) {
            const auto byte = static_cast<unsigned char>(text[i + k]);
            // Only the second byte has the narrowed range; the others are plain continuations.
            const unsigned char min = k == 1 ? low : 0x80;
            const unsigned char max = k == 1 ? high : 0xBF;
            if (byte < min || byte > max) {
                return std::nullopt;
            }
            value = (value << 6) | (byte & 0x3Fu);
        }
        scalars.push_back({value, i, length});
        i += length;
    }
    return scalars;
}

bool isLineEnd(char32_t c) {
    return c == 0x0A || c == 0x0B || c == 0x0C || c == 0x0D || c == 0x85 || c == 0x2028 || c == 0x2029;
}

bool isBlankInsideLine(char32_t c) {
    return c == 0x09 || u_charType(static_cast<UChar32>(c)) == U_SPACE_SEPARATOR;
}

// The list file's lines, split and filtered the plain way: one decoded character at a time.
std::vector<std::string_view> referenceNames(std::string_view text, const std::vector<Scalar>& scalars) {
    std::vector<std::string_view> names;
    std::size_t lineStart = 0;
    bool lineHasName = false;
    for (const auto& scalar : scalars) {
        if (isLineEnd(scalar.value)) {
            if (lineHasName) {
                names.push_back(text.substr(lineStart, scalar.offset - lineStart));
            }
            lineStart = scalar.offset + scalar.length;
            lineHasName = false;
        } else if (!isBlankInsideLine(scalar.value)) {
            lineHasName = true;
        }
    }
    if (lineHasName) {
        names.push_back(text.substr(lineStart));
    }
    return names;
}

void checkName(std::string_view name) {
    check(!name.empty(), "a name is empty");
    const auto scalars = decodeStrictly(name);
    check(scalars.has_value(), "a name is not valid UTF-8");
    bool blank = true;
    for (const auto& scalar : *scalars) {
        check(!isLineEnd(scalar.value), "a name holds a line-ending character");
        blank = blank && isBlankInsideLine(scalar.value);
    }
    check(!blank, "a name is blank");
}

// NFC through ICU's UTF-16 interface, a different road from the UTF-8 one the core takes.
std::string nfcOf(std::string_view name) {
    UErrorCode status = U_ZERO_ERROR;
    const icu::Normalizer2* nfc = icu::Normalizer2::getNFCInstance(status);
    check(U_SUCCESS(status), "ICU has no NFC instance");
    const auto utf16 =
        icu::UnicodeString::fromUTF8(icu::StringPiece(name.data(), static_cast<int32_t>(name.size())));
    const icu::UnicodeString composed = nfc->normalize(utf16, status);
    check(U_SUCCESS(status), "ICU could not normalise a name");
    std::string bytes;
    composed.toUTF8String(bytes);
    return bytes;
}

bool bytesLess(std::string_view a, std::string_view b) {
    return std::lexicographical_compare(a.begin(), a.end(), b.begin(), b.end(), [](char x, char y) {
        return static_cast<unsigned char>(x) < static_cast<unsigned char>(y);
    });
}

std::vector<std::string_view> namesOf(const kestrow::PrinterList& list) {
    return {list.names().begin(), list.names().end()};
}

void checkParse(std::string_view input, const kestrow::PrinterList& list) {
    std::string_view text = input;
    if (text.starts_with(byteOrderMark)) {
        text.remove_prefix(byteOrderMark.size());
    }
    const auto scalars = decodeStrictly(text);
    check(scalars.has_value(), "invalid UTF-8 was accepted");

    std::size_t searchFrom = 0;
    for (const auto name : list.names()) {
        checkName(name);
        const auto found = input.find(name, searchFrom);
        check(found != std::string_view::npos,
              "a name is not a substring of the input after the previous name");
        searchFrom = found + name.size();
    }
    check(namesOf(list) == referenceNames(text, *scalars), "the names differ from a plain line split");
}

void checkSelectionText(const kestrow::PrinterList& list) {
    std::map<std::string, std::string_view> firstOfKey; // NFC form -> first listed name with it
    for (const auto name : list.names()) {
        firstOfKey.emplace(nfcOf(name), name);
    }

    kestrow::SelectionState state;
    state.setPrinters(list);
    state.setAllSelected(true);
    check(state.allSelected() == !list.empty(), "select all does not read back as all selected");
    for (std::size_t row = 0; row < list.size(); ++row) {
        check(state.isSelected(row), "a row is off after select all");
    }

    auto unordered = state.selectedNames();
    check(state.selectionSize() == unordered.size(), "selectionSize disagrees with selectedNames");
    check(unordered.size() == firstOfKey.size(), "the selection does not hold each distinct name once");
    // What confirm writes, ordered by the composed forms found at load, against a fresh sort.
    const auto names = state.selectedNamesInScalarOrder();
    kestrow::sortByScalarOrder(unordered);
    check(names == unordered, "the order at confirm differs from sorting the names afresh");

    std::string previousKey;
    for (std::size_t i = 0; i < names.size(); ++i) {
        const std::string key = nfcOf(names[i]);
        check(i == 0 || bytesLess(previousKey, key), "the names are not strictly ascending by NFC bytes");
        const auto first = firstOfKey.find(key);
        check(first != firstOfKey.end(), "a selected name is not in the list");
        check(first->second == names[i], "a selected name is not the first listed form of its NFC key");
        previousKey = key;
    }

    const std::string joined = kestrow::joinLines(names);
    std::string expected;
    for (std::size_t i = 0; i < names.size(); ++i) {
        expected += i == 0 ? "" : "\n";
        expected += names[i];
    }
    check(joined == expected, "the names are not joined by single line feeds");
    check(joined.empty() || joined.back() != '\n', "the joined text ends with a line feed");

    // A reader that drops a byte-order mark (our own parser does) would take a first name starting
    // with U+FEFF for one; with an explicit mark in front, the lines must come back exactly.
    const auto reparsed = kestrow::parsePrinterList(std::string(byteOrderMark) + joined).printers;
    check(reparsed.has_value(), "the joined text does not parse");
    check(namesOf(*reparsed) == names, "parsing the joined text does not give back the names");
    if (!std::string_view(joined).starts_with(byteOrderMark)) {
        const auto plain = kestrow::parsePrinterList(joined).printers;
        check(plain.has_value() && namesOf(*plain) == names,
              "parsing the joined text does not give back the names");
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string input(reinterpret_cast<const char*>(data), size);
    const auto list = kestrow::parsePrinterList(input).printers;
    if (!list) {
        std::string_view text = input;
        if (text.starts_with(byteOrderMark)) {
            text.remove_prefix(byteOrderMark.size());
        }
        check(!decodeStrictly(text).has_value(), "valid UTF-8 was refused");
        return 0;
    }
    checkParse(input, *list);
    checkSelectionText(*list);
    return 0;
}
