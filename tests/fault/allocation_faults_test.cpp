#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "allocation_table.h"
#include "kestrow/core/dialog_session.h"
#include "temp_dir.h"

namespace {

// Every allocation of an operation fails in turn, the first, the second, ... until one run
// completes without reaching the failing one. No exception may escape, and whatever a window
// would read at each notification must be whole.
class AllocationFaultTest : public ::testing::Test {
protected:
    struct Run {
        TempDir dir;
        std::vector<std::string> lines;
        int terminations = 0;
        kestrow::DialogSession session{
            {dir.path("list.txt"), dir.path("selected.txt"), dir.path("done.flag")},
            {[this](const std::string& line) { lines.push_back(line); }, [this] { ++terminations; }}};

        Run() {
            // What the window does on each store: read every row.
            session.state().setChangeListener([this](const kestrow::SelectionState::Change&) {
                const auto& state = session.state();
                for (std::size_t row = 0; row < state.printers().size(); ++row) {
                    (void)state.printers()[row];
                    (void)state.isSelected(row);
                }
                (void)state.allSelected();
            });
        }
    };

    template <typename Prepare, typename Act, typename Check>
    static void failEachAllocation(Prepare prepare, Act act, Check check) {
        for (long nth = 1;; ++nth) {
            SCOPED_TRACE("allocation " + std::to_string(nth) + " fails");
            Run run;
            prepare(run);
            allocation::failNth(nth);
            EXPECT_NO_THROW(act(run));
            const bool fired = allocation::stop();
            check(run, fired);
            if (!fired || ::testing::Test::HasFailure()) {
                return;
            }
        }
    }
};

const std::string list = "Zeta\nalpha\nBe\xCC\x81ta\nZeta\nGamma\n";

TEST_F(AllocationFaultTest, LoadingIsAllOrNothing) {
    failEachAllocation(
        [](Run& run) {
            // A list already shown, with a choice made, that a failed load must not leave half replaced.
            run.dir.write("list.txt", "Old\nZeta\n");
            run.session.loadPrinters();
            run.session.state().setSelected(1, true);
            run.dir.write("list.txt", list);
        },
        [](Run& run) { run.session.loadPrinters(); },
        [](Run& run, bool fired) {
            const auto& state = run.session.state();
            if (state.showAlert()) {
                EXPECT_EQ(state.alertMessage(), "Error loading printers from file '" +
                                                    run.dir.path("list.txt") + "':\nCannot allocate memory");
                EXPECT_TRUE(state.printers().empty());
            } else if (state.printers().size() != 5) {
                EXPECT_TRUE(fired) << "loaded without a failure, yet not the new list";
            }
            EXPECT_EQ(state.selectionSize(), 1U) << "the choice made before survives";
        });
}

TEST_F(AllocationFaultTest, ConfirmWritesTheAnswerOrAlertsWithoutAFlag) {
    failEachAllocation(
        [](Run& run) {
            run.dir.write("list.txt", list);
            run.session.loadPrinters();
            run.session.state().setAllSelected(true);
        },
        [](Run& run) { run.session.handleOK(); },
        [](Run& run, bool /*fired*/) {
            const auto& state = run.session.state();
            if (state.showAlert()) {
                EXPECT_EQ(state.alertMessage(), "Error writing selected printers to '" +
                                                    run.dir.path("selected.txt") +
                                                    "':\nCannot allocate memory");
                EXPECT_FALSE(run.dir.exists("done.flag"));
                EXPECT_EQ(run.terminations, 0);
            } else {
                // Once the answer is written, finishing goes on whatever fails: a flag that cannot
                // be written is the critical line, a line that cannot be made is lost.
                const std::string flag = run.dir.path("done.flag");
                EXPECT_EQ(run.dir.read("selected.txt"), "Be\xCC\x81ta\nGamma\nZeta\nalpha");
                EXPECT_EQ(run.terminations, 1);
                if (run.dir.exists("done.flag")) {
                    EXPECT_LE(run.lines.size(), 1U);
                } else {
                    EXPECT_EQ(run.lines,
                              std::vector<std::string>{"CRITICAL ERROR: Could not write done flag at '" +
                                                       flag + "': Cannot allocate memory"});
                }
            }
            EXPECT_EQ(run.dir.countStartingWith(".kestrow-"), 0);
        });
}

} // namespace
