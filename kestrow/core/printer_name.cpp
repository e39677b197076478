#include "kestrow/core/printer_name.h"

#include <algorithm>
#include <cstdint>
#include <deque>
#include <limits>

#include <unicode/bytestream.h>
#include <unicode/normalizer2.h>

namespace kestrow {
namespace {

bool isAscii(std::string_view text) {
    return std::all_of(text.begin(), text.end(), [](char c) { return static_cast<unsigned char>(c) < 0x80; });
}

const icu::Normalizer2& nfc() {
    UErrorCode status = U_ZERO_ERROR;
    static const icu::Normalizer2* instance = icu::Normalizer2::getNFCInstance(status);
    return *instance;
}

} // namespace

std::string_view nfcKey(std::string_view name, std::string& scratch) {
    // ICU counts in int32_t: a single name of 2 GiB or more is taken as it stands.
    if (isAscii(name) || name.size() > std::numeric_limits<std::int32_t>::max()) {
        return name;
    }
    const icu::StringPiece piece(name.data(), static_cast<std::int32_t>(name.size()));
    UErrorCode status = U_ZERO_ERROR;
    if (nfc().isNormalizedUTF8(piece, status) && U_SUCCESS(status)) {
        return name;
    }
    scratch.clear();
    icu::StringByteSink<std::string> sink(&scratch, static_cast<std::int32_t>(name.size()));
    status = U_ZERO_ERROR;
    nfc().normalizeUTF8(0, piece, sink, nullptr, status);
    if (U_FAILURE(status)) {
        return name; // only for input that is not UTF-8, which the list parser never passes on
    }
    return scratch;
}

void sortByKey(std::vector<KeyedName>& names) {
    // string_view compares as unsigned bytes, and UTF-8 byte order is scalar-value order.
    std::sort(names.begin(), names.end(), [](const auto& a, const auto& b) { return a.key < b.key; });
}

void sortByScalarOrder(std::vector<std::string_view>& names) {
    std::deque<std::string> normalised; // owns the keys that differ from their names
    std::vector<KeyedName> keyed;
    keyed.reserve(names.size());
    std::string scratch;
    for (const auto name : names) {
        auto key = nfcKey(name, scratch);
        if (key.data() == scratch.data()) {
            key = normalised.emplace_back(scratch);
        }
        keyed.push_back({key, name});
    }
    sortByKey(keyed);
    for (std::size_t i = 0; i < names.size(); ++i) {
        names[i] = keyed[i].name;
    }
}

std::string joinLines(const std::vector<std::string_view>& names) {
    std::size_t total = names.empty() ? 0 : names.size() - 1;
    for (const auto name : names) {
        total += name.size();
    }
    std::string text;
    text.reserve(total);
    for (std::size_t i = 0; i < names.size(); ++i) {
        if (i > 0) {
            text += '\n';
        }
        text += names[i];
    }
    return text;
}

} // namespace kestrow
