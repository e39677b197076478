#include "kestrow/core/selection_state.h"

#include <algorithm>
#include <cerrno>
#include <string>
#include <utility>
#include <vector>

#include <gtest/gtest.h>

namespace {

using kestrow::PrinterList;
using kestrow::SelectionState;
using Change = SelectionState::Change::Kind;
using Names = std::vector<std::string>;

class SelectionStateTest : public ::testing::Test {
protected:
    SelectionStateTest() {
        state.setChangeListener(
            [this](const SelectionState::Change& change) { changes.push_back(change.kind); });
    }

    void load(const Names& names) { state.setPrinters(PrinterList::fromNames(names)); }

    // The chosen names in a fixed order, each with the bytes that confirming would write.
    Names chosen() const {
        const auto views = state.selectedNames();
        Names names(views.begin(), views.end());
        std::sort(names.begin(), names.end());
        return names;
    }

    SelectionState state;
    std::vector<Change> changes;
};

TEST_F(SelectionStateTest, RowWritesAddOrRemoveOneMember) {
    load({"A", "B"});
    state.setSelected(0, true);
    state.setSelected(0, true);
    EXPECT_EQ(chosen(), Names{"A"});
    state.setSelected(1, false);
    EXPECT_EQ(chosen(), Names{"A"});
    EXPECT_FALSE(state.isSelected(1));
    state.setSelected(0, false);
    EXPECT_TRUE(state.selectionEmpty());
    EXPECT_FALSE(state.isSelected(0));
}

TEST_F(SelectionStateTest, SelectAllReplacesTheSelectionWhole) {
    load({"A", "B", "C"});
    state.setSelected(1, true);
    state.setAllSelected(true);
    EXPECT_EQ(chosen(), (Names{"A", "B", "C"}));
    EXPECT_TRUE(state.allSelected());

    state.setSelected(2, false);
    EXPECT_FALSE(state.allSelected());
    EXPECT_EQ(chosen(), (Names{"A", "B"}));

    state.setAllSelected(false);
    EXPECT_TRUE(state.selectionEmpty());
    EXPECT_FALSE(state.allSelected());
}

TEST_F(SelectionStateTest, AnEmptyListIsNeverAllSelected) {
    EXPECT_FALSE(state.allSelected());
    load({});
    state.setAllSelected(true);
    EXPECT_FALSE(state.allSelected());
    EXPECT_TRUE(state.selectionEmpty());
}

TEST_F(SelectionStateTest, ChoosingEveryRowSelectsAll) {
    load({"Solo"});
    state.setSelected(0, true);
    EXPECT_TRUE(state.allSelected());

    // A name listed twice is one member shared by both rows; every row on still means all selected.
    load({"A", "B", "A"});
    state.setAllSelected(false);
    state.setSelected(0, true);
    EXPECT_TRUE(state.isSelected(2));
    EXPECT_FALSE(state.allSelected());
    state.setSelected(1, true);
    EXPECT_TRUE(state.allSelected());
    EXPECT_EQ(state.selectionSize(), 2u);
    state.setSelected(2, false);
    EXPECT_FALSE(state.isSelected(0));
}

TEST_F(SelectionStateTest, CanonicallyEquivalentRowsAreOneName) {
    load({"\xC3\xA9", "e\xCC\x81", "x"});
    state.setSelected(1, true);
    EXPECT_TRUE(state.isSelected(0));
    EXPECT_EQ(chosen(), Names{"e\xCC\x81"}); // the bytes of the row it was chosen through
    state.setAllSelected(true);
    EXPECT_EQ(state.selectionSize(), 2u);
    EXPECT_EQ(chosen(), (Names{"e\xCC\x81", "x"}));
}

TEST_F(SelectionStateTest, NamesDifferingInCaseOrBlanksAreDistinct) {
    load({"a", "A", " a", "a\t"});
    state.setSelected(0, true);
    EXPECT_EQ(chosen(), Names{"a"});
    EXPECT_FALSE(state.isSelected(1) || state.isSelected(2) || state.isSelected(3));
}

TEST_F(SelectionStateTest, ReloadKeepsChosenNamesButStaleOnesDoNotCountAsAll) {
    load({"A", "B"});
    state.setAllSelected(true);
    load({"A", "C"});
    EXPECT_TRUE(state.isSelected(0));
    EXPECT_FALSE(state.isSelected(1));
    EXPECT_EQ(chosen(), (Names{"A", "B"}));
    EXPECT_FALSE(state.allSelected());

    state.setSelected(1, true);
    EXPECT_TRUE(state.allSelected());
    state.setAllSelected(false);
    state.setAllSelected(true);
    EXPECT_EQ(chosen(), (Names{"A", "C"}));
}

TEST_F(SelectionStateTest, EveryStoreNotifiesWhatChanged) {
    load({"A"});
    state.setSelected(0, false); // a write that changes nothing is still a store
    state.setAllSelected(true);
    state.raiseAlert({kestrow::Alert::Kind::NothingSelected, {}, {}});
    state.dismissAlert();
    EXPECT_EQ(changes, (std::vector<Change>{Change::Printers, Change::Selection, Change::Selection,
                                            Change::Alert, Change::Alert}));
}

TEST_F(SelectionStateTest, ASelectionChangeNamesEveryRowThatMayHaveChanged) {
    std::vector<std::pair<std::size_t, std::size_t>> rows;
    state.setChangeListener([&](const SelectionState::Change& change) {
        if (change.kind == Change::Selection) {
            rows.emplace_back(change.firstRow, change.endRow);
        }
    });
    load({"A", "B", "C", "A"});
    state.setSelected(3, true); // both rows of "A"
    state.setSelected(1, true);
    state.setAllSelected(false);
    EXPECT_EQ(rows, (std::vector<std::pair<std::size_t, std::size_t>>{{0, 4}, {1, 2}, {0, 4}}));
}

TEST_F(SelectionStateTest, AlertKeepsItsLastMessageAfterDismissal) {
    using kestrow::Alert;
    EXPECT_FALSE(state.showAlert());
    EXPECT_EQ(state.alertMessage(), "");
    state.raiseAlert({Alert::Kind::ListEmpty, "/tmp/first", {}});
    state.raiseAlert({Alert::Kind::ListUnreadable, "/tmp/100%1%2", kestrow::FileError::system(EISDIR)});
    EXPECT_TRUE(state.showAlert());
    // The path is put in as it stands, even where it looks like a placeholder.
    EXPECT_EQ(state.alertMessage(), "Error loading printers from file '/tmp/100%1%2':\nIs a directory");
    state.dismissAlert();
    EXPECT_FALSE(state.showAlert());
    EXPECT_EQ(state.alertMessage(), "Error loading printers from file '/tmp/100%1%2':\nIs a directory");
}

} // namespace
