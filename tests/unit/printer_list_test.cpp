#include "kestrow/core/printer_list.h"

#include <optional>
#include <string>
#include <vector>

#include <gtest/gtest.h>

namespace {

using Names = std::vector<std::string>;

const std::string nextLine = "\xC2\x85";
const std::string lineSeparator = "\xE2\x80\xA8";
const std::string paragraphSeparator = "\xE2\x80\xA9";
const std::string noBreakSpace = "\xC2\xA0";
const std::string figureSpace = "\xE2\x80\x87";
const std::string narrowNoBreakSpace = "\xE2\x80\xAF";
const std::string ideographicSpace = "\xE3\x80\x80";
const std::string zeroWidthSpace = "\xE2\x80\x8B";
const std::string byteOrderMark = "\xEF\xBB\xBF";

// The names copied out of a list that has outlived the text it was parsed from.
std::optional<Names> parse(std::string bytes) {
    auto parsed = kestrow::parsePrinterList(std::move(bytes)).printers;
    if (!parsed) {
        return std::nullopt;
    }
    const kestrow::PrinterList list = std::move(*parsed);
    parsed.reset();
    return Names(list.names().begin(), list.names().end());
}

struct ParseRow {
    const char* label;
    std::string bytes;
    Names expected;
};

void expectRows(const std::vector<ParseRow>& rows) {
    for (const auto& row : rows) {
        SCOPED_TRACE(row.label);
        const auto names = parse(row.bytes);
        ASSERT_TRUE(names.has_value());
        EXPECT_EQ(*names, row.expected);
    }
}

TEST(PrinterList, SplitsAtEachLineEndCharacterOnItsOwn) {
    expectRows({
        {"line feeds, the last one ending the file", "A\nB\n", {"A", "B"}},
        {"CR LF gives no name ending in CR", "A\r\nB\r\n", {"A", "B"}},
        {"lone CR", "A\rB", {"A", "B"}},
        {"vertical tab", "A\vB", {"A", "B"}},
        {"form feed inside a line", "Laser\fJet", {"Laser", "Jet"}},
        {"U+0085 next line", "A" + nextLine + "B", {"A", "B"}},
        {"U+2028 line separator", "A" + lineSeparator + "B", {"A", "B"}},
        {"U+2029 paragraph separator", "A" + paragraphSeparator + "B", {"A", "B"}},
        {"last line without a line end", "A\nB", {"A", "B"}},
        {"leading byte-order mark dropped", byteOrderMark + "A\nB\n", {"A", "B"}},
    });
}

TEST(PrinterList, DropsBlankLinesAndKeepsEveryOtherLineVerbatim) {
    expectRows({
        {"empty text", "", {}},
        {"only a byte-order mark", byteOrderMark, {}},
        {"empty lines anywhere", "\n\nA\n\n\nB\n\n", {"A", "B"}},
        {"tabs only", "A\n\t\t\nB", {"A", "B"}},
        {"no-break spaces only", noBreakSpace + noBreakSpace + "\nA", {"A"}},
        {"U+2007, U+202F, U+3000 with spaces and tabs",
         figureSpace + "\n" + narrowNoBreakSpace + "\n \t" + ideographicSpace + "\nA",
         {"A"}},
        {"spaces and tabs around a name stay", "  Laser 1\t\r\n\t Ink \n", {"  Laser 1\t", "\t Ink "}},
        {"zero width space is a character", zeroWidthSpace + "\n", {zeroWidthSpace}},
        {"byte-order mark after the start is a character", "A\n" + byteOrderMark, {"A", byteOrderMark}},
        {"U+001C is a character", " \x1C \n", {" \x1C "}},
        {"duplicates kept in file order", "B\nA\nB\n", {"B", "A", "B"}},
    });
}

TEST(PrinterList, RejectsInvalidUtf8) {
    const std::vector<std::pair<const char*, std::string>> rows = {
        {"overlong NUL", "A\n\xC0\x80\n"},
        {"lone continuation byte", "A\x80"},
        {"sequence truncated at the very end", "A\n\xE2\x80"},
        {"UTF-16 surrogate", "\xED\xA0\x80"},
        {"lead byte F5 beyond U+10FFFF", "\xF5\x80\x80\x80"},
        {"bad byte right after eight plain bytes", "abcdefgh\xFF"},
        {"truncated sequence after sixteen plain bytes", "abcdefghijklmnop\xC3"},
    };
    for (const auto& [label, bytes] : rows) {
        SCOPED_TRACE(label);
        const auto parsed = kestrow::parsePrinterList(bytes);
        EXPECT_FALSE(parsed.printers.has_value());
        EXPECT_EQ(parsed.refusal, kestrow::FileError::Kind::NotUtf8Text);
    }
}

// A list view numbers its rows with int: a list past that is refused, not shown wrong. The limit
// is the parser's own check, tried here on small lists.
TEST(PrinterList, RefusesMoreNamesThanAListCanHold) {
    const struct {
        const char* label;
        std::string bytes;
        bool refused;
    } rows[] = {
        {"exactly the most", "A\nB\n", false},
        {"blank lines do not count", "\nA\n \t\n\nB\n\n", false},
        {"one more, ended by a line end", "A\nB\nC\n", true},
        {"one more, the last line unended", "A\nB\nC", true},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.label);
        const auto parsed = kestrow::parsePrinterList(row.bytes, 2);
        EXPECT_EQ(parsed.printers.has_value(), !row.refused);
        if (row.refused) {
            EXPECT_EQ(parsed.refusal, kestrow::FileError::Kind::TooManyNames);
        }
    }
    EXPECT_EQ(kestrow::maximumPrinterCount, std::size_t{2147483647});
    EXPECT_EQ(kestrow::FileError{kestrow::FileError::Kind::TooManyNames}.description(),
              "The file holds more printer names than the list can show.");
}

// The scanner takes eight plain bytes per step; names and line ends must land exactly where they
// are whatever their place relative to those steps.
TEST(PrinterList, ParsesExactlyAcrossTheEightByteStep) {
    const std::string alphabet = "ABCDEFGHIJKLMNOPQRSTUVWXYZ";
    const std::vector<std::pair<const char*, std::string>> lineEnds = {
        {"LF", "\n"}, {"CR LF", "\r\n"}, {"VT", "\v"}, {"U+0085", nextLine}};
    for (std::size_t shift = 0; shift < 8; ++shift) {
        for (const auto& [endLabel, end] : lineEnds) {
            SCOPED_TRACE(std::string(endLabel) + ", shifted by " + std::to_string(shift));
            std::string bytes = std::string(shift, ' ') + end;
            Names expected;
            for (const std::size_t length : {7, 8, 9, 15, 16, 17}) {
                const std::string name = alphabet.substr(0, length);
                const std::string trailingBlank = alphabet.substr(0, length - 1) + "\t";
                const std::string innerSpace = alphabet.substr(0, 7) + " " + alphabet.substr(8, length - 8);
                bytes += name + end + trailingBlank + end + std::string(length, ' ') + end;
                expected.insert(expected.end(), {name, trailingBlank});
                if (length > 8) {
                    bytes += innerSpace + end;
                    expected.push_back(innerSpace);
                }
            }
            bytes += alphabet.substr(0, 16);
            expected.push_back(alphabet.substr(0, 16));
            EXPECT_EQ(parse(bytes), expected);
        }
    }
}

} // namespace
