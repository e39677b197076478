#include <cerrno>
#include <cstring>
#include <ostream>
#include <string>
#include <tuple>
#include <vector>

#include <gtest/gtest.h>

#include "fault_table.h"
#include "kestrow/core/dialog_session.h"
#include "kestrow/core/file_ops.h"
#include "kestrow/core/printer_list.h"
#include "temp_dir.h"

namespace fault {

// Readable parameters in gtest's messages.
void PrintTo(Call call, std::ostream* out) {
    *out << nameOf(call);
}

} // namespace fault

namespace {

using fault::Call;
using Events = std::vector<std::string>;

// The failures a disk or a file system gives most: full, broken, refused, read-only.
const auto diskErrors = ::testing::Values(ENOSPC, EIO, EACCES, EROFS);

const std::string oldSelection = "Old printer 1\nOld printer 2\nOld printer 3 with a longer name";
const std::string termination = "(termination requested)";

std::string describe(int error) {
    return std::strerror(error);
}

// A session on a temporary directory. Its output lines and its termination request are recorded
// in the order they happen.
class FaultTest : public ::testing::Test {
protected:
    void SetUp() override { fault::clear(); }
    void TearDown() override { fault::clear(); }

    std::string selectionPath() const { return dir.path("selected.txt"); }
    std::string flagPath() const { return dir.path("done.flag"); }
    std::string doneLine() const { return "Done flag created at: " + flagPath(); }
    std::string criticalLine(int error) const {
        return "CRITICAL ERROR: Could not write done flag at '" + flagPath() + "': " + describe(error);
    }
    int temporaryFiles() const { return dir.countStartingWith(std::string(kestrow::temporaryFilePrefix)); }

    void chooseAlphaAndBeta() {
        session.state().setPrinters(kestrow::PrinterList::fromNames({"Beta", "Alpha"}));
        session.state().setAllSelected(true);
    }

    // Calls of call that one atomic write of the selection makes, measured on a file of its own,
    // so that a rule can aim at the done flag's write that follows it.
    int callsPerSelectionWrite(Call call) {
        fault::clear();
        EXPECT_FALSE(kestrow::writeFileAtomically(dir.path("probe.txt"), "Alpha\nBeta"));
        const int calls = fault::callCount(call);
        fault::clear();
        return calls;
    }

    TempDir dir;
    Events events;
    kestrow::DialogSession session{
        kestrow::ExchangePaths{dir.path("list.txt"), selectionPath(), flagPath()},
        kestrow::SessionHooks{[this](const std::string& line) { events.push_back(line); },
                              [this] { events.push_back(termination); }}};
};

template <typename Param>
class ParamFaultTest : public FaultTest, public ::testing::WithParamInterface<Param> {};

std::string callAndErrorName(const ::testing::TestParamInfo<std::tuple<Call, int>>& info) {
    return std::string(fault::nameOf(std::get<0>(info.param))) + "_" +
           strerrorname_np(std::get<1>(info.param));
}

std::string callName(const ::testing::TestParamInfo<Call>& info) {
    return fault::nameOf(info.param);
}

std::string errorName(const ::testing::TestParamInfo<int>& info) {
    return strerrorname_np(info.param);
}

// Confirm: each step of the selection file's atomic write fails in turn.
using ConfirmWriteFault = ParamFaultTest<std::tuple<Call, int>>;

TEST_P(ConfirmWriteFault, ShowsTheAlertAndLeavesTheOldSelectionFileWhole) {
    const auto [call, error] = GetParam();
    dir.write("selected.txt", oldSelection);
    chooseAlphaAndBeta();
    fault::failNthCall(call, 1, error);

    session.handleOK();

    ASSERT_EQ(fault::firedCount(), 1) << fault::nameOf(call) << " was not called";
    EXPECT_TRUE(session.state().showAlert());
    EXPECT_EQ(session.state().alertMessage(),
              "Error writing selected printers to '" + selectionPath() + "':\n" + describe(error));
    EXPECT_EQ(dir.read("selected.txt"), oldSelection);
    EXPECT_EQ(temporaryFiles(), 0);
    EXPECT_FALSE(dir.exists("done.flag"));
    EXPECT_EQ(events, Events{}); // nothing printed, no termination
    EXPECT_EQ(session.state().selectionSize(), 2U);

    // The dialog stays open with its selection, and confirming again once the disk is well works.
    fault::clear();
    session.handleOK();
    EXPECT_EQ(dir.read("selected.txt"), "Alpha\nBeta");
    EXPECT_EQ(events, (Events{doneLine(), termination}));
    EXPECT_EQ(temporaryFiles(), 0);
}

INSTANTIATE_TEST_SUITE_P(EachStep, ConfirmWriteFault,
                         ::testing::Combine(::testing::Values(Call::Mkostemp, Call::Write, Call::Fchmod,
                                                              Call::Fsync, Call::Close, Call::Rename),
                                            diskErrors),
                         callAndErrorName);

using ConfirmWriteFaultWithoutOldFile = ParamFaultTest<Call>;

TEST_P(ConfirmWriteFaultWithoutOldFile, LeavesNoSelectionFile) {
    chooseAlphaAndBeta();
    fault::failNthCall(GetParam(), 1, EIO);

    session.handleOK();

    ASSERT_EQ(fault::firedCount(), 1);
    EXPECT_TRUE(session.state().showAlert());
    EXPECT_FALSE(dir.exists("selected.txt"));
    EXPECT_EQ(temporaryFiles(), 0);
    EXPECT_FALSE(dir.exists("done.flag"));
    EXPECT_EQ(events, Events{});
}

INSTANTIATE_TEST_SUITE_P(EachStep, ConfirmWriteFaultWithoutOldFile,
                         ::testing::Values(Call::Mkostemp, Call::Write, Call::Fchmod, Call::Fsync,
                                           Call::Close, Call::Rename),
                         callName);

TEST_F(FaultTest, AFailedCleanupDoesNotChangeTheReportedError) {
    dir.write("selected.txt", oldSelection);
    chooseAlphaAndBeta();
    fault::failNthCall(Call::Rename, 1, EIO);
    fault::failNthCall(Call::Unlink, 1, EACCES);

    session.handleOK();

    ASSERT_EQ(fault::firedCount(), 2);
    EXPECT_EQ(session.state().alertMessage(),
              "Error writing selected printers to '" + selectionPath() + "':\n" + describe(EIO));
    EXPECT_EQ(dir.read("selected.txt"), oldSelection);
    EXPECT_FALSE(dir.exists("done.flag"));
    EXPECT_EQ(events, Events{});
}

TEST_F(FaultTest, AnInterruptedWriteIsResumed) {
    chooseAlphaAndBeta();
    fault::failNthCall(Call::Write, 1, EINTR);

    session.handleOK();

    ASSERT_EQ(fault::firedCount(), 1);
    EXPECT_FALSE(session.state().showAlert());
    EXPECT_EQ(dir.read("selected.txt"), "Alpha\nBeta");
    EXPECT_EQ(events, (Events{doneLine(), termination}));
}

// Syncing the directory only makes a finished rename durable; the new file is already in place.
TEST_F(FaultTest, AFailedDirectorySyncIsNotAFailedWrite) {
    chooseAlphaAndBeta();
    fault::failNthCall(Call::Open, 1, EACCES);

    session.handleOK();

    ASSERT_EQ(fault::firedCount(), 1);
    EXPECT_FALSE(session.state().showAlert());
    EXPECT_EQ(dir.read("selected.txt"), "Alpha\nBeta");
    EXPECT_EQ(events, (Events{doneLine(), termination}));
}

// The done flag: each step of its atomic write fails in turn. It has no content, so it makes no
// write() call.
using DoneFlagFault = ParamFaultTest<std::tuple<Call, int>>;

TEST_P(DoneFlagFault, OnCancelPrintsTheCriticalLineAndStillTerminates) {
    const auto [call, error] = GetParam();
    fault::failNthCall(call, 1, error);

    session.handleCancel();

    ASSERT_EQ(fault::firedCount(), 1) << fault::nameOf(call) << " was not called";
    EXPECT_EQ(events, (Events{criticalLine(error), termination}));
    EXPECT_FALSE(dir.exists("done.flag"));
    EXPECT_EQ(temporaryFiles(), 0);
    EXPECT_FALSE(session.state().showAlert());
}

TEST_P(DoneFlagFault, OnConfirmKeepsTheNewSelectionFileAndStillTerminates) {
    const auto [call, error] = GetParam();
    dir.write("selected.txt", oldSelection);
    chooseAlphaAndBeta();
    fault::failNthCall(call, callsPerSelectionWrite(call) + 1, error);

    session.handleOK();

    ASSERT_EQ(fault::firedCount(), 1) << fault::nameOf(call) << " was not called for the flag";
    EXPECT_EQ(dir.read("selected.txt"), "Alpha\nBeta");
    EXPECT_EQ(events, (Events{criticalLine(error), termination}));
    EXPECT_FALSE(dir.exists("done.flag"));
    EXPECT_EQ(temporaryFiles(), 0);
    EXPECT_FALSE(session.state().showAlert());
}

INSTANTIATE_TEST_SUITE_P(EachStep, DoneFlagFault,
                         ::testing::Combine(::testing::Values(Call::Mkostemp, Call::Fchmod, Call::Fsync,
                                                              Call::Close, Call::Rename),
                                            diskErrors),
                         callAndErrorName);

// Cancel: the stale selection file cannot be removed.
using CancelRemovalFault = ParamFaultTest<int>;

TEST_P(CancelRemovalFault, PrintsTheRemovalErrorThenTheDoneLineThenTerminates) {
    const int error = GetParam();
    dir.write("selected.txt", oldSelection);
    fault::failNthCall(Call::Unlink, 1, error);

    session.handleCancel();

    ASSERT_EQ(fault::firedCount(), 1) << "unlink was not called";
    EXPECT_EQ(events, (Events{"Error removing selected printers file on cancel at '" + selectionPath() +
                                  "': " + describe(error),
                              doneLine(), termination}));
    EXPECT_EQ(dir.read("selected.txt"), oldSelection);
    EXPECT_TRUE(dir.exists("done.flag"));
    EXPECT_EQ(dir.read("done.flag"), "");
}

INSTANTIATE_TEST_SUITE_P(EachError, CancelRemovalFault, diskErrors, errorName);

TEST_F(FaultTest, RemovalAndFlagBothFailingOnCancelPrintTwoLinesAndTerminate) {
    dir.write("selected.txt", oldSelection);
    fault::failNthCall(Call::Unlink, 1, EROFS);
    fault::failNthCall(Call::Mkostemp, 1, EROFS);

    session.handleCancel();

    ASSERT_EQ(fault::firedCount(), 2);
    EXPECT_EQ(events, (Events{"Error removing selected printers file on cancel at '" + selectionPath() +
                                  "': " + describe(EROFS),
                              criticalLine(EROFS), termination}));
}

// The removal's own answer decides: nothing is looked at first, so nothing can change in between.
TEST_F(FaultTest, AnEntryIsRemovedOnCancelWithoutAnEarlierLook) {
    dir.write("selected.txt", oldSelection);

    session.handleCancel();

    EXPECT_EQ(fault::callCount(Call::Lstat) + fault::callCount(Call::Stat), 0);
    EXPECT_EQ(fault::callCount(Call::Unlink), 1);
    EXPECT_FALSE(dir.exists("selected.txt"));
    EXPECT_EQ(events, (Events{"Selected printers file removed on cancel: " + selectionPath(), doneLine(),
                              termination}));
}

TEST_F(FaultTest, AnEmptyDirectoryThatCannotBeRemovedOnCancelIsReported) {
    dir.makeDirectory("selected.txt");
    fault::failNthCall(Call::Rmdir, 1, EACCES);

    session.handleCancel();

    ASSERT_EQ(fault::firedCount(), 1);
    EXPECT_EQ(events, (Events{"Error removing selected printers file on cancel at '" + selectionPath() +
                                  "': " + describe(EACCES),
                              doneLine(), termination}));
    EXPECT_TRUE(dir.exists("selected.txt"));
}

// Refused by a directory on the way that cannot be searched, the open cannot see the file: as
// before any look at the path, that is "not found". Refused by the file itself, it is a read failure.
TEST_F(FaultTest, AListFileThatCannotBeExaminedIsNotFound) {
    dir.write("list.txt", "Alpha\nBeta\n");
    fault::failNthCall(Call::Open, 1, EACCES);
    fault::failNthCall(Call::Stat, 1, EACCES);

    session.loadPrinters();

    ASSERT_EQ(fault::firedCount(), 2);
    EXPECT_EQ(session.state().alertMessage(),
              "Printer list file not found at:\n" + dir.path("list.txt") +
                  "\n\nPlease ensure the file exists and the application has permission to read it.");
    EXPECT_EQ(fault::callCount(Call::Read), 0);
}

// Clearing the leftovers of killed runs, locking the temporary file and syncing the directory
// are care, not the write: each failing leaves the answer written as usual.
using CareFault = ParamFaultTest<std::tuple<Call, int, int>>;

TEST_P(CareFault, NeverFailsTheWrite) {
    const auto [call, nth, error] = GetParam();
    const std::string leftover = dir.leftoverOfADeadWriter(std::string(kestrow::temporaryFilePrefix));
    chooseAlphaAndBeta();
    fault::failNthCall(call, nth, error);

    session.handleOK();

    ASSERT_EQ(fault::firedCount(), 1) << fault::nameOf(call) << " was not called " << nth << " times";
    EXPECT_FALSE(session.state().showAlert());
    EXPECT_EQ(dir.read("selected.txt"), "Alpha\nBeta");
    EXPECT_EQ(dir.read("done.flag"), "");
    EXPECT_EQ(events, (Events{doneLine(), termination}));
    // The leftover goes unless its own clean-up step failed; it is never mistaken for the answer.
    const bool cleanupStep = call == Call::Opendir || call == Call::Openat || call == Call::Unlinkat ||
                             (call == Call::Flock && nth == 1);
    EXPECT_EQ(dir.exists(leftover), cleanupStep);
}

std::string careFaultName(const ::testing::TestParamInfo<std::tuple<Call, int, int>>& info) {
    return std::string(fault::nameOf(std::get<0>(info.param))) + std::to_string(std::get<1>(info.param)) +
           "_" + strerrorname_np(std::get<2>(info.param));
}

// In a handleOK with one leftover: opendir, openat, flock #1 and unlinkat clear it; flock #2
// locks the selection's temporary file; fsync #2 syncs the directory after its rename.
INSTANTIATE_TEST_SUITE_P(
    EachStep, CareFault,
    ::testing::Values(std::tuple{Call::Opendir, 1, EACCES}, std::tuple{Call::Openat, 1, EACCES},
                      std::tuple{Call::Flock, 1, EWOULDBLOCK}, std::tuple{Call::Unlinkat, 1, EPERM},
                      std::tuple{Call::Flock, 2, ENOLCK}, std::tuple{Call::Fsync, 2, EIO}),
    careFaultName);

// Loading: the list file exists but reading it fails at each step.
using LoadReadFault = ParamFaultTest<std::tuple<Call, int>>;

TEST_P(LoadReadFault, ShowsTheReadErrorAndAnEmptyList) {
    const auto [call, error] = GetParam();
    dir.write("list.txt", "Alpha\nBeta\n");
    fault::failNthCall(call, 1, error);

    session.loadPrinters();

    ASSERT_EQ(fault::firedCount(), 1) << fault::nameOf(call) << " was not called";
    EXPECT_TRUE(session.state().showAlert());
    EXPECT_EQ(session.state().alertMessage(),
              "Error loading printers from file '" + dir.path("list.txt") + "':\n" + describe(error));
    EXPECT_TRUE(session.state().printers().empty());
    EXPECT_EQ(events, Events{});
}

INSTANTIATE_TEST_SUITE_P(EachStep, LoadReadFault,
                         ::testing::Combine(::testing::Values(Call::Open, Call::Fstat, Call::Read),
                                            diskErrors),
                         callAndErrorName);

TEST_F(FaultTest, AnInterruptedReadIsResumed) {
    dir.write("list.txt", "Alpha\nBeta\n");
    fault::failNthCall(Call::Read, 1, EINTR);

    session.loadPrinters();

    ASSERT_EQ(fault::firedCount(), 1);
    EXPECT_FALSE(session.state().showAlert());
    ASSERT_EQ(session.state().printers().size(), 2U);
    EXPECT_EQ(session.state().printers()[1], "Beta");
}

} // namespace
