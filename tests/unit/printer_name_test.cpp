#include "kestrow/core/printer_name.h"

#include <string>
#include <string_view>
#include <vector>

#include <gtest/gtest.h>

namespace {

using Names = std::vector<std::string>;

Names sorted(const Names& input) {
    std::vector<std::string_view> views(input.begin(), input.end());
    kestrow::sortByScalarOrder(views);
    return Names(views.begin(), views.end());
}

TEST(PrinterName, SortsByScalarOrderOfTheComposedForm) {
    const std::string privateUse = "\xEE\x80\x80";   // U+E000
    const std::string replacement = "\xEF\xBF\xBD";  // U+FFFD
    const std::string grinning = "\xF0\x9F\x98\x80"; // U+1F600: before U+E000 in UTF-16 order
    const struct {
        const char* label;
        Names input;
        Names expected;
    } rows[] = {
        {"upper before lower case", {"Zeta", "alpha", "Beta"}, {"Beta", "Zeta", "alpha"}},
        {"digits before letters", {"b", "B", "10", "1"}, {"1", "10", "B", "b"}},
        {"a prefix first", {"ab", "a b", "a"}, {"a", "a b", "ab"}},
        {"tab and space are characters", {"a", " a", "\ta"}, {"\ta", " a", "a"}},
        {"supplementary planes last",
         {grinning, replacement, privateUse},
         {privateUse, replacement, grinning}},
        // Composed, e-acute is C3 A9 and sorts after "f"; its decomposed bytes would sort before.
        {"decomposed name placed by its composed form", {"e\xCC\x81", "f", "e"}, {"e", "f", "e\xCC\x81"}},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.label);
        EXPECT_EQ(sorted(row.input), row.expected);
    }
}

} // namespace
