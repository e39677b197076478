#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace kestrow {

// Printer names are equal when their NFC forms are equal, and the selection file orders them by
// the Unicode scalar values of those forms, which is the byte order of their UTF-8.

// The NFC form of a valid UTF-8 name: the name itself when it is already in NFC (every ASCII name
// is), otherwise its normalised form written into scratch.
std::string_view nfcKey(std::string_view name, std::string& scratch);

// A name with the NFC form it is compared by.
struct KeyedName {
    std::string_view key;
    std::string_view name;
};

// Sorts by key, that is by the scalar order of the NFC forms. Keys must be distinct.
void sortByKey(std::vector<KeyedName>& names);

// Sorts names by the scalar order of their NFC forms. Names must be distinct under NFC.
void sortByScalarOrder(std::vector<std::string_view>& names);

// The selection file's content: the names joined by single line feeds, none after the last.
std::string joinLines(const std::vector<std::string_view>& names);

} // namespace kestrow
