#include "kestrow/core/dialog_session.h"

#include <algorithm>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

#include "kestrow/core/file_ops.h"
#include "temp_dir.h"

namespace {

using kestrow::DialogSession;
using Change = kestrow::SelectionState::Change::Kind;
using Lines = std::vector<std::string>;

// One session on a temporary directory, recording what it prints, what it asks of the
// application and which files existed when it asked for termination.
struct Harness {
    Harness() {
        session.state().setChangeListener([this](const kestrow::SelectionState::Change& change) {
            changes.push_back(change.kind);
            if (change.kind == Change::Alert) {
                alertsRaised += session.state().showAlert() ? 1 : 0;
                messageWhenRaised = session.state().alertMessage();
            }
        });
    }

    void load(const std::string& bytes) {
        dir.write("list.txt", bytes);
        session.loadPrinters();
    }
    Lines printers() const {
        const auto& names = session.state().printers().names();
        return Lines(names.begin(), names.end());
    }
    void choose(const std::vector<std::size_t>& rows) {
        for (const auto row : rows) {
            session.state().setSelected(row, true);
        }
    }

    std::string list() const { return dir.path("list.txt"); }
    std::string selected() const { return dir.path("selected.txt"); }
    std::string flag() const { return dir.path("done.flag"); }
    std::string doneLine() const { return "Done flag created at: " + flag(); }
    std::string removedLine() const { return "Selected printers file removed on cancel: " + selected(); }
    std::string notFound() const {
        return "Printer list file not found at:\n" + list() +
               "\n\nPlease ensure the file exists and the application has permission to read it.";
    }
    std::string emptyFile() const {
        return "Printer list file was found but is empty or contains only blank lines.\nPlease ensure '" +
               list() + "' is populated correctly.";
    }
    std::string readFailure(const std::string& why) const {
        return "Error loading printers from file '" + list() + "':\n" + why;
    }
    int leftovers() const { return dir.countStartingWith(std::string(kestrow::temporaryFilePrefix)); }

    TempDir dir;
    Lines lines;
    int terminations = 0;
    bool flagAtTermination = false;
    bool selectionAtTermination = false;
    std::vector<Change> changes;
    int alertsRaised = 0;
    std::string messageWhenRaised;
    DialogSession session{{list(), selected(), flag()},
                          {[this](const std::string& line) { lines.push_back(line); },
                           [this] {
                               ++terminations;
                               // A stale flag may stand there before; only the new, empty one counts.
                               flagAtTermination =
                                   dir.isRegularFile("done.flag") && dir.read("done.flag").empty();
                               selectionAtTermination = dir.exists("selected.txt");
                           }}};
};

TEST(DialogSessionLoading, EachFailureRaisesItsMessageThenEmptiesOrKeepsPrinters) {
    enum class Failure { NotFound, Read, Empty };
    const struct {
        const char* label;
        std::function<void(const TempDir&)> plant;
        Failure failure;
        std::string description; // of a read failure
    } rows[] = {
        {"nothing there", [](const TempDir&) {}, Failure::NotFound, ""},
        {"dangling link", [](const TempDir& d) { d.makeLink("list.txt", "gone"); }, Failure::NotFound, ""},
        {"directory", [](const TempDir& d) { d.makeDirectory("list.txt"); }, Failure::Read, "Is a directory"},
        {"FIFO without a writer", [](const TempDir& d) { d.makeFifo("list.txt"); }, Failure::Read,
         "Not a regular file."},
        {"invalid UTF-8", [](const TempDir& d) { d.write("list.txt", "Good\nBad \xC0\x80\n"); },
         Failure::Read, "The file is not valid UTF-8 text."},
        {"zero bytes", [](const TempDir& d) { d.write("list.txt", ""); }, Failure::Empty, ""},
        {"blank lines only", [](const TempDir& d) { d.write("list.txt", "\n \t\r\n\xC2\xA0\n"); },
         Failure::Empty, ""},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.label);
        Harness h;
        row.plant(h.dir);
        h.session.loadPrinters();
        const std::string message = row.failure == Failure::NotFound ? h.notFound()
                                    : row.failure == Failure::Empty  ? h.emptyFile()
                                                                     : h.readFailure(row.description);
        // The message is in place before the alert shows, and the old rows are gone before it.
        const std::vector<Change> changes = row.failure == Failure::NotFound
                                                ? std::vector{Change::Alert}
                                                : std::vector{Change::Printers, Change::Alert};
        EXPECT_EQ(h.changes, changes);
        EXPECT_EQ(h.alertsRaised, 1);
        EXPECT_EQ(h.messageWhenRaised, message);
        EXPECT_TRUE(h.printers().empty());
        EXPECT_TRUE(h.lines.empty());
        EXPECT_FALSE(h.dir.exists("done.flag") || h.dir.exists("selected.txt") || h.terminations);
    }
}

TEST(DialogSessionLoading, UnreadableFileIsAReadFailure) {
    Harness h;
    h.dir.write("list.txt", "A\n");
    ::chmod(h.list().c_str(), 0);
    const PermissionsEnforced enforced(h.dir);
    if (!enforced.effective()) {
        GTEST_SKIP() << "running as root without CAP_SETUID: permission bits cannot be made to apply";
    }
    h.session.loadPrinters();
    EXPECT_EQ(h.session.state().alertMessage(), h.readFailure("Permission denied"));
    EXPECT_TRUE(h.session.state().showAlert());
}

TEST(DialogSessionLoading, ReloadReplacesPrintersAndNeverTouchesTheSelection) {
    Harness h;
    h.load("A\nB\n");
    h.choose({1});
    h.load("C\r\nA\r\n");
    EXPECT_EQ(h.printers(), (Lines{"C", "A"}));
    EXPECT_FALSE(h.session.state().isSelected(0) || h.session.state().isSelected(1));

    std::filesystem::remove(h.list());
    h.session.loadPrinters();
    EXPECT_EQ(h.printers(), (Lines{"C", "A"})) << "not found leaves printers as they were";
    h.load("\n");
    EXPECT_TRUE(h.printers().empty());
    h.load("A\n");
    std::filesystem::remove(h.list());
    h.dir.makeDirectory("list.txt");
    h.session.loadPrinters();
    EXPECT_TRUE(h.printers().empty()) << "a read failure empties printers";

    h.session.handleOK();
    EXPECT_EQ(h.dir.read("selected.txt"), "B") << "the name chosen before every reload is still chosen";
}

TEST(DialogSessionConfirm, WithoutSelectionOnlyAlerts) {
    Harness h;
    h.dir.write("selected.txt", "earlier run");
    h.load("A\n");
    h.session.handleOK();
    EXPECT_EQ(h.messageWhenRaised, "No printers selected. Please select at least one printer.");
    EXPECT_EQ(h.alertsRaised, 1);
    EXPECT_EQ(h.dir.read("selected.txt"), "earlier run");
    EXPECT_FALSE(h.dir.exists("done.flag"));
    EXPECT_TRUE(h.lines.empty());
    EXPECT_EQ(h.terminations, 0);
}

TEST(DialogSessionConfirm, WritesSortedNamesThenTheFlagThenTerminatesOnce) {
    const std::string composed = "\xC3\xA9", decomposed = "e\xCC\x81";
    const struct {
        const char* label;
        std::string list;
        std::vector<std::size_t> rows; // none: Select All
        std::string expected;
    } rows[] = {
        {"one name, no line feed", "Laser\n", {0}, "Laser"},
        {"case order", "Zeta\nalpha\nBeta\n", {}, "Beta\nZeta\nalpha"},
        {"digits first", "b\nB\n1\n", {}, "1\nB\nb"},
        {"scalar order, not UTF-16",
         "\xF0\x9F\x98\x80\n\xEF\xBF\xBD\n\xEE\x80\x80\n",
         {},
         "\xEE\x80\x80\n\xEF\xBF\xBD\n\xF0\x9F\x98\x80"},
        {"blanks around names round-trip", "  Laser 1\t\r\n\tInk \n", {0, 1}, "\tInk \n  Laser 1\t"},
        {"a name listed twice written once", "A\nB\nA\n", {0, 2}, "A"},
        {"equivalent forms chosen through the second", composed + "\n" + decomposed + "\n", {1}, decomposed},
        {"equivalent forms, Select All counts one", composed + "\n" + decomposed + "\n", {}, composed},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.label);
        Harness h;
        h.dir.write("selected.txt", "a longer selection left from an earlier run\nwith more lines\n");
        h.dir.write("done.flag", "stale");
        h.load(row.list);
        if (row.rows.empty()) {
            h.session.state().setAllSelected(true);
        } else {
            h.choose(row.rows);
        }
        h.session.handleOK();
        EXPECT_EQ(h.dir.read("selected.txt"), row.expected);
        EXPECT_EQ(h.dir.read("done.flag"), "");
        EXPECT_EQ(h.lines, Lines{h.doneLine()});
        EXPECT_EQ(h.terminations, 1);
        EXPECT_TRUE(h.flagAtTermination && h.selectionAtTermination);
        EXPECT_FALSE(h.session.state().showAlert());
        EXPECT_EQ(h.leftovers(), 0);
    }
}

TEST(DialogSessionConfirm, LinksAtTheTargetsAreReplacedNeverFollowed) {
    for (const bool linkSelection : {true, false}) {
        SCOPED_TRACE(linkSelection ? "selection -> victim, flag -> dangling"
                                   : "selection -> dangling, flag -> victim");
        Harness h;
        h.dir.write("victim", "keep me");
        h.dir.makeLink("selected.txt", linkSelection ? h.dir.path("victim") : h.dir.path("ghost"));
        h.dir.makeLink("done.flag", linkSelection ? h.dir.path("ghost") : h.dir.path("victim"));
        h.load("A\n");
        h.choose({0});
        h.session.handleOK();
        EXPECT_TRUE(h.dir.isRegularFile("selected.txt") && h.dir.isRegularFile("done.flag"));
        EXPECT_EQ(h.dir.read("selected.txt"), "A");
        EXPECT_EQ(h.dir.read("victim"), "keep me");
        EXPECT_FALSE(h.dir.exists("ghost"));
        EXPECT_EQ(h.terminations, 1);
    }
}

TEST(DialogSessionConfirm, FailedWriteAlertsAndKeepsTheDialogOpen) {
    Harness h;
    h.dir.makeDirectory("selected.txt");
    h.load("A\n");
    h.choose({0});
    h.session.handleOK();
    EXPECT_EQ(h.messageWhenRaised,
              "Error writing selected printers to '" + h.selected() + "':\nIs a directory");
    EXPECT_EQ(h.alertsRaised, 1);
    EXPECT_TRUE(h.session.state().showAlert());
    EXPECT_FALSE(h.dir.exists("done.flag"));
    EXPECT_TRUE(h.lines.empty());
    EXPECT_EQ(h.terminations, 0);
    EXPECT_EQ(h.leftovers(), 0);
    EXPECT_EQ(h.session.state().selectionSize(), 1u);

    h.session.handleCancel(); // an empty directory at the path is removed like a file
    EXPECT_EQ(h.lines, (Lines{h.removedLine(), h.doneLine()}));
    EXPECT_FALSE(h.dir.exists("selected.txt"));
    EXPECT_EQ(h.terminations, 1);
}

TEST(DialogSessionConfirm, FailedWriteLeavesTheOldSelectionFileWhole) {
    Harness h;
    h.dir.write("selected.txt", "earlier run");
    h.load("A\n");
    h.choose({0});
    {
        const PermissionsEnforced enforced(h.dir);
        if (!enforced.effective()) {
            GTEST_SKIP() << "running as root without CAP_SETUID: permission bits cannot be made to apply";
        }
        h.session.handleOK();
    }
    EXPECT_EQ(h.session.state().alertMessage(),
              "Error writing selected printers to '" + h.selected() + "':\nPermission denied");
    EXPECT_EQ(h.dir.read("selected.txt"), "earlier run");
    EXPECT_FALSE(h.dir.exists("done.flag"));
    EXPECT_EQ(h.terminations, 0);

    h.session.handleCancel();
    EXPECT_EQ(h.lines, (Lines{h.removedLine(), h.doneLine()}));
    EXPECT_TRUE(h.flagAtTermination && !h.selectionAtTermination);
    EXPECT_EQ(h.terminations, 1);
}

TEST(DialogSessionFinish, DirectoryAtTheFlagIsCriticalButFinishingGoesOn) {
    for (const bool confirm : {true, false}) {
        SCOPED_TRACE(confirm ? "confirm" : "cancel");
        Harness h;
        h.dir.makeDirectory("done.flag");
        h.load("A\n");
        h.choose({0});
        if (confirm) {
            h.session.handleOK();
        } else {
            h.session.handleCancel();
        }
        EXPECT_EQ(h.lines,
                  Lines{"CRITICAL ERROR: Could not write done flag at '" + h.flag() + "': Is a directory"});
        EXPECT_EQ(h.terminations, 1);
        EXPECT_EQ(h.dir.exists("selected.txt"), confirm);
        EXPECT_EQ(h.leftovers(), 0);
    }
}

TEST(DialogSessionCancel, RemovesWhateverStandsAtTheSelectionPathThenWritesTheFlag) {
    const struct {
        const char* label;
        std::function<void(const TempDir&)> plant;
        std::string removalError; // empty: removed
    } rows[] = {
        {"stale selection file", [](const TempDir& d) { d.write("selected.txt", "old"); }, ""},
        {"empty directory", [](const TempDir& d) { d.makeDirectory("selected.txt"); }, ""},
        {"dangling link", [](const TempDir& d) { d.makeLink("selected.txt", d.path("ghost")); }, ""},
        {"link to a file", [](const TempDir& d) { d.makeLink("selected.txt", d.path("victim")); }, ""},
        {"non-empty directory",
         [](const TempDir& d) { std::filesystem::create_directories(d.path("selected.txt/inside")); },
         "Directory not empty"},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.label);
        Harness h;
        h.dir.write("victim", "keep me");
        row.plant(h.dir);
        h.session.handleCancel();
        const bool removed = row.removalError.empty();
        EXPECT_EQ(h.lines, (Lines{removed ? h.removedLine()
                                          : "Error removing selected printers file on cancel at '" +
                                                h.selected() + "': " + row.removalError,
                                  h.doneLine()}));
        EXPECT_EQ(h.dir.exists("selected.txt"), !removed);
        EXPECT_TRUE(h.flagAtTermination);
        EXPECT_EQ(h.terminations, 1);
        EXPECT_FALSE(h.session.state().showAlert());
        EXPECT_EQ(h.dir.read("victim"), "keep me");
        EXPECT_FALSE(h.dir.exists("ghost"));
    }
}

TEST(DialogSessionCancel, WithoutASelectionFilePrintsOnlyTheDoneLine) {
    Harness h; // nothing loaded either: cancel finishes whatever the state
    h.session.handleCancel();
    EXPECT_EQ(h.lines, Lines{h.doneLine()});
    EXPECT_EQ(h.dir.read("done.flag"), "");
    EXPECT_TRUE(h.flagAtTermination);
    EXPECT_EQ(h.terminations, 1);
    EXPECT_FALSE(h.dir.exists("selected.txt"));
}

} // namespace

// A second Return or click may still be queued when termination is requested: it must neither
// write again nor take back the answer just given.
TEST(DialogSessionTest, NothingRunsAfterTheDialogFinished) {
    Harness confirmed;
    confirmed.load("A\nB\n");
    confirmed.choose({1});
    confirmed.session.handleOK();
    confirmed.session.handleCancel();
    confirmed.session.handleOK();
    EXPECT_EQ(confirmed.dir.read("selected.txt"), "B");
    EXPECT_EQ(confirmed.lines, Lines{confirmed.doneLine()});
    EXPECT_EQ(confirmed.terminations, 1);

    Harness cancelled;
    cancelled.load("A\n");
    cancelled.choose({0});
    cancelled.session.handleCancel();
    cancelled.session.handleOK();
    EXPECT_FALSE(cancelled.dir.exists("selected.txt"));
    EXPECT_EQ(cancelled.lines, Lines{cancelled.doneLine()});
    EXPECT_EQ(cancelled.terminations, 1);
}

TEST(DialogSessionTest, AListLargerThanMemoryIsAReadFailure) {
#ifdef __SANITIZE_ADDRESS__
    GTEST_SKIP() << "AddressSanitizer aborts on an allocation it cannot serve instead of throwing; "
                    "the core preset runs this case";
#endif
    Harness h;
    h.dir.write("list.txt", "");
    // Sparse: two tebibytes of nothing, more than any allocation can hold.
    if (::truncate(h.list().c_str(), off_t{2} << 40) != 0) {
        GTEST_SKIP() << "this file system cannot hold a sparse file of 2 TiB";
    }
    // Where memory is overcommitted, such an allocation could succeed and then fill the machine
    // page by page: a cap on the address space makes it fail at once on any host.
    rlimit previous{};
    ASSERT_EQ(::getrlimit(RLIMIT_AS, &previous), 0);
    rlimit capped = previous;
    capped.rlim_cur = std::min<rlim_t>(previous.rlim_cur, rlim_t{64} << 30);
    ASSERT_EQ(::setrlimit(RLIMIT_AS, &capped), 0);
    h.session.loadPrinters();
    ::setrlimit(RLIMIT_AS, &previous);
    EXPECT_EQ(h.session.state().alertMessage(), h.readFailure("Cannot allocate memory"));
    EXPECT_TRUE(h.session.state().showAlert());
    EXPECT_TRUE(h.printers().empty());
}
