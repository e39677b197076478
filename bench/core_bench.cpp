// Google Benchmark for the selection logic at installer-sized lists: parsing, the per-row reads
// and writes the window makes, and confirm's sort + format + atomic write. Beside them, the
// references bench/measure.py divides by: a plain line split of the same text (for Parse) and a
// plain byte-order sort and write of the same names (for Confirm).
//
//   kestrow_core_bench                          lists of 10,000, 100,000 and 1,000,000 names
//   kestrow_core_bench --kestrow_names=100,500  other list lengths (the smoke test uses tiny ones)
//   kestrow_core_bench --kestrow_list_files=A,B LoadFile/A and LoadFile/B too: the core's whole
//                                               load of those list files, as the window loads it
//
// Every benchmark checks its result; a wrong one is reported as an error and the exit status is 1,
// so a smoke run fails when a benchmark stops measuring what it claims to.

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <iostream>
#include <map>
#include <memory>
#include <numeric>
#include <random>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include <fcntl.h>
#include <malloc.h>
#include <stdlib.h>
#include <unistd.h>

#include <benchmark/benchmark.h>

#include "kestrow/core/dialog_session.h"
#include "kestrow/core/file_ops.h"
#include "kestrow/core/name_table.h"
#include "kestrow/core/printer_list.h"
#include "kestrow/core/printer_name.h"
#include "kestrow/core/selection_state.h"

namespace {

using kestrow::PrinterList;
using kestrow::SelectionState;

enum class Script { Ascii, Mixed };

const char* scriptName(Script script) {
    return script == Script::Ascii ? "ascii" : "mixed";
}

bool g_failed = false;

// Marks the run as failed and the benchmark as erroneous; returns false for early exits.
bool check(benchmark::State& state, bool ok, const char* what) {
    if (!ok) {
        g_failed = true;
        state.SkipWithError(what);
    }
    return ok;
}

// About 30 bytes each, unique, in shuffled order, as an installer that lists a print server's
// queues would write them. Mixed lists put a non-ASCII word into every fourth name; some of those
// are decomposed (NFD), so the NFC paths are taken too.
std::vector<std::string> makeNames(std::size_t count, Script script) {
    static const std::vector<std::string> vendors = {"HP",    "Canon",   "Epson", "Brother",
                                                     "Xerox", "Lexmark", "Ricoh", "Kyocera"};
    static const std::vector<std::string> models = {"LaserJet-M507", "imageRUNNER",  "WorkForce-Pro",
                                                    "HL-L8360",      "VersaLink-C7", "MX-822ade",
                                                    "IM-C3000",      "ECOSYS"};
    static const std::vector<std::string> asciiSites = {"Floor3", "Lab-B", "Office12",
                                                        "Hall",   "Annex", "Store"};
    static const std::vector<std::string> otherSites = {
        "B\u00fcro",          "Caf\u00e9",       "Cafe\u0301",
        "\u4f1a\u8b70\u5ba4", "Stra\u00dfe",     "\u00d8rsted",
        "Zu\u0308rich",       "\U0001F5A8-Room", "\u041a\u0430\u0431\u0438\u043d\u0435\u0442"};
    std::mt19937_64 random(20240601);
    std::vector<std::string> names;
    names.reserve(count);
    for (std::size_t i = 0; i < count; ++i) {
        const bool other = script == Script::Mixed && random() % 4 == 0;
        const auto& sites = other ? otherSites : asciiSites;
        std::string name = vendors[random() % vendors.size()];
        name += ' ';
        name += models[random() % models.size()];
        name += ' ';
        name += sites[random() % sites.size()];
        name += '-';
        name += std::to_string(i);
        names.push_back(std::move(name));
    }
    std::shuffle(names.begin(), names.end(), random);
    return names;
}

struct Input {
    std::vector<std::string> names;
    std::string text; // the list file: one name per line
};

const Input& input(std::size_t count, Script script) {
    static std::map<std::pair<std::size_t, Script>, Input> cache;
    auto [it, inserted] = cache.try_emplace({count, script});
    if (inserted) {
        it->second.names = makeNames(count, script);
        for (const auto& name : it->second.names) {
            it->second.text += name;
            it->second.text += '\n';
        }
    }
    return it->second;
}

PrinterList parsed(std::size_t count, Script script) {
    return *kestrow::parsePrinterList(input(count, script).text).printers;
}

// A directory of our own for the atomic writes, removed at exit.
class ScratchDirectory {
public:
    ScratchDirectory() {
        std::string pattern = (std::filesystem::temp_directory_path() / "kestrow-bench-XXXXXX").string();
        if (::mkdtemp(pattern.data()) != nullptr) {
            m_path = pattern;
        }
    }
    ScratchDirectory(const ScratchDirectory&) = delete;
    ScratchDirectory& operator=(const ScratchDirectory&) = delete;
    ~ScratchDirectory() {
        std::error_code ignored;
        std::filesystem::remove_all(m_path, ignored);
    }
    std::string file(const char* name) const { return (m_path / name).string(); }

private:
    std::filesystem::path m_path;
};

const ScratchDirectory& scratch() {
    static const ScratchDirectory directory;
    return directory;
}

std::string fileContent(const std::string& path) {
    return kestrow::readRegularFile(path).content;
}

// Row numbers spread over the whole list, so that reads are not all served from one cache line.
std::vector<std::size_t> spreadRows(std::size_t count) {
    std::vector<std::size_t> rows(4096);
    std::mt19937_64 random(7);
    for (auto& row : rows) {
        row = random() % count;
    }
    return rows;
}

void parse(benchmark::State& state, Script script) {
    const auto count = static_cast<std::size_t>(state.range(0));
    const Input& list = input(count, script);
    std::size_t names = 0;
    for (auto _ : state) {
        state.PauseTiming();
        std::string text = list.text; // the read buffer, which the parser takes over
        state.ResumeTiming();
        auto printers = kestrow::parsePrinterList(std::move(text)).printers;
        benchmark::DoNotOptimize(printers);
        state.PauseTiming();
        names = printers ? printers->size() : 0;
        printers.reset();
        state.ResumeTiming();
    }
    check(state, names == count, "parsePrinterList lost or invented names");
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * list.text.size()));
    state.SetItemsProcessed(static_cast<std::int64_t>(state.iterations() * count));
}

// The reference for Parse: the least any reader of a list does, finding each line feed (memchr)
// and keeping a view of every line, over the same bytes. Parse also validates UTF-8, knows six
// more line ends and drops blank lines.
void lineSplit(benchmark::State& state, Script script) {
    const auto count = static_cast<std::size_t>(state.range(0));
    const Input& list = input(count, script);
    std::size_t lines = 0;
    for (auto _ : state) {
        std::vector<std::string_view> views;
        const char* at = list.text.data();
        const char* const end = at + list.text.size();
        while (at < end) {
            const auto* feed =
                static_cast<const char*>(std::memchr(at, '\n', static_cast<std::size_t>(end - at)));
            const char* const lineEnd = feed != nullptr ? feed : end;
            views.emplace_back(at, static_cast<std::size_t>(lineEnd - at));
            at = lineEnd + 1;
        }
        benchmark::DoNotOptimize(views);
        lines = views.size();
    }
    check(state, lines == count, "the line split lost or invented lines");
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * list.text.size()));
    state.SetItemsProcessed(static_cast<std::int64_t>(state.iterations() * count));
}

void nameTable(benchmark::State& state, Script script) {
    const auto count = static_cast<std::size_t>(state.range(0));
    const PrinterList printers = parsed(count, script);
    std::size_t distinct = 0;
    for (auto _ : state) {
        state.PauseTiming();
        PrinterList copy = printers; // the table holds the list it numbers
        state.ResumeTiming();
        kestrow::NameTable names(std::move(copy));
        benchmark::DoNotOptimize(names);
        distinct = names.nameCount();
    }
    check(state, distinct == count, "NameTable merged different names");
    state.SetItemsProcessed(static_cast<std::int64_t>(state.iterations() * count));
}

// The whole load after the read: parse, then hand the list to the state (NameTable included).
void load(benchmark::State& state, Script script) {
    const auto count = static_cast<std::size_t>(state.range(0));
    const Input& list = input(count, script);
    std::size_t rows = 0;
    for (auto _ : state) {
        state.PauseTiming();
        std::string text = list.text;
        SelectionState selection;
        state.ResumeTiming();
        selection.setPrinters(*kestrow::parsePrinterList(std::move(text)).printers);
        benchmark::DoNotOptimize(selection);
        state.PauseTiming();
        rows = selection.printers().size();
        selection = SelectionState();
        state.ResumeTiming();
    }
    check(state, rows == count, "the loaded state lost rows");
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * list.text.size()));
}

// The core's whole load of a list file, as the window starts it: read, parse, hand to the state.
// The reference for the window's load time of the same file.
void loadFile(benchmark::State& state, const std::string& path) {
    std::size_t rows = 0;
    std::string alert;
    for (auto _ : state) {
        state.PauseTiming();
        auto session = std::make_unique<kestrow::DialogSession>(
            kestrow::ExchangePaths{path, scratch().file("selection.txt"), scratch().file("done.flag")},
            kestrow::SessionHooks{[&](const std::string& line) { alert = line; }, [] {}});
        state.ResumeTiming();
        session->loadPrinters();
        state.PauseTiming();
        rows = session->state().printers().size();
        session.reset();
        state.ResumeTiming();
    }
    check(state, rows > 0 && alert.empty(), "the list file did not load");
    state.counters["names"] = static_cast<double>(rows);
}

// Heap bytes per row held by the loaded state (names, views, numbering, flags), beyond the names.
void stateMemory(benchmark::State& state) {
    const auto count = static_cast<std::size_t>(state.range(0));
    const Input& list = input(count, Script::Ascii);
    auto heapBytes = [] {
        const auto info = ::mallinfo2();
        return static_cast<double>(info.uordblks + info.hblkhd);
    };
    double perRow = 0;
    double peakPerRow = 0;
    for (auto _ : state) {
        std::string text = list.text;
        const double before = heapBytes() - static_cast<double>(text.capacity());
        SelectionState selection;
        selection.setPrinters(*kestrow::parsePrinterList(std::move(text)).printers);
        perRow = (heapBytes() - before) / static_cast<double>(count);
        selection.setAllSelected(true);
        std::string joined = kestrow::joinLines(selection.selectedNamesInScalarOrder());
        peakPerRow = (heapBytes() - before) / static_cast<double>(count);
        benchmark::DoNotOptimize(joined);
    }
    const double textPerRow = static_cast<double>(list.text.size()) / static_cast<double>(count);
    state.counters["bytes_per_row"] = perRow;
    state.counters["beyond_text_per_row"] = perRow - textPerRow;
    state.counters["confirm_peak_per_row"] = peakPerRow;
}

struct LoadedState {
    SelectionState selection;
    std::size_t notifications = 0;

    LoadedState(std::size_t count, Script script) {
        selection.setPrinters(parsed(count, script));
        selection.setChangeListener([this](SelectionState::Change) { ++notifications; });
    }
};

void rowRead(benchmark::State& state) {
    const auto count = static_cast<std::size_t>(state.range(0));
    LoadedState loaded(count, Script::Ascii);
    const auto rows = spreadRows(count);
    for (std::size_t row = 0; row < count; row += 3) {
        loaded.selection.setSelected(row, true);
    }
    std::size_t i = 0;
    std::size_t on = 0;
    for (auto _ : state) {
        const std::size_t row = rows[i++ & (rows.size() - 1)];
        bool selected = loaded.selection.isSelected(row);
        benchmark::DoNotOptimize(selected);
        on += selected ? 1 : 0;
    }
    check(state, state.iterations() < 3 || on > 0, "isSelected never saw a chosen row");
    state.SetItemsProcessed(static_cast<std::int64_t>(state.iterations()));
}

void allSelected(benchmark::State& state) {
    const auto count = static_cast<std::size_t>(state.range(0));
    LoadedState loaded(count, Script::Ascii);
    loaded.selection.setAllSelected(true);
    bool all = false;
    for (auto _ : state) {
        all = loaded.selection.allSelected();
        benchmark::DoNotOptimize(all);
    }
    check(state, all, "allSelected is false with every name chosen");
}

void selectAll(benchmark::State& state, bool on) {
    const auto count = static_cast<std::size_t>(state.range(0));
    LoadedState loaded(count, Script::Ascii);
    for (auto _ : state) {
        state.PauseTiming();
        loaded.selection.setAllSelected(!on);
        state.ResumeTiming();
        loaded.selection.setAllSelected(on);
    }
    check(state, loaded.selection.allSelected() == on && loaded.selection.isSelected(count - 1) == on,
          "setAllSelected did not reach every row");
    check(state, loaded.notifications == 2 * static_cast<std::size_t>(state.iterations()),
          "setAllSelected did not notify once per store");
    state.SetItemsProcessed(static_cast<std::int64_t>(state.iterations() * count));
}

void toggleRow(benchmark::State& state) {
    const auto count = static_cast<std::size_t>(state.range(0));
    LoadedState loaded(count, Script::Ascii);
    const auto rows = spreadRows(count);
    std::size_t i = 0;
    for (auto _ : state) {
        const std::size_t row = rows[i++ & (rows.size() - 1)];
        loaded.selection.setSelected(row, !loaded.selection.isSelected(row));
    }
    check(state, loaded.notifications == static_cast<std::size_t>(state.iterations()),
          "setSelected did not notify once per store");
    state.SetItemsProcessed(static_cast<std::int64_t>(state.iterations()));
}

// Confirm with every name chosen: collect, sort, join and replace the selection file.
void confirm(benchmark::State& state, Script script) {
    const auto count = static_cast<std::size_t>(state.range(0));
    LoadedState loaded(count, script);
    loaded.selection.setAllSelected(true);
    const std::string path = scratch().file("selected.txt");
    bool written = true;
    std::size_t bytes = 0;
    for (auto _ : state) {
        const std::string text = kestrow::joinLines(loaded.selection.selectedNamesInScalarOrder());
        written = written && !kestrow::writeFileAtomically(path, text);
        bytes = text.size();
    }
    if (check(state, written, "writeFileAtomically failed")) {
        const std::string content = fileContent(path);
        check(state,
              content.size() == bytes &&
                  static_cast<std::size_t>(std::count(content.begin(), content.end(), '\n')) + 1 == count,
              "the selection file does not hold every name once");
    }
    state.SetItemsProcessed(static_cast<std::int64_t>(state.iterations() * count));
}

// The reference for Confirm: the same names, every one chosen, sorted by their bytes with the
// standard sort, joined and written the plain POSIX way (temporary file, fsync, rename). Confirm
// also sorts by the names' NFC forms and writes with the safeguards of the exchange files.
void confirmReference(benchmark::State& state, Script script) {
    const auto count = static_cast<std::size_t>(state.range(0));
    const PrinterList printers = parsed(count, script);
    const std::string path = scratch().file("reference.txt");
    const std::string temporary = path + ".new";
    bool written = true;
    std::size_t bytes = 0;
    for (auto _ : state) {
        std::vector<std::string_view> names = printers.names();
        std::sort(names.begin(), names.end());
        std::string text;
        for (const auto name : names) {
            if (!text.empty()) {
                text += '\n';
            }
            text += name;
        }
        const int fd = ::open(temporary.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
        written = written && fd >= 0 &&
                  ::write(fd, text.data(), text.size()) == static_cast<ssize_t>(text.size()) &&
                  ::fsync(fd) == 0;
        written = (fd >= 0 && ::close(fd) == 0) && written && ::rename(temporary.c_str(), path.c_str()) == 0;
        bytes = text.size();
    }
    check(state, written && fileContent(path).size() == bytes, "the reference write failed");
    state.SetItemsProcessed(static_cast<std::int64_t>(state.iterations() * count));
}

bool sortedByNfc(const std::vector<std::string_view>& names) {
    std::string previousScratch;
    std::string currentScratch;
    for (std::size_t i = 1; i < names.size(); ++i) {
        if (kestrow::nfcKey(names[i], currentScratch) < kestrow::nfcKey(names[i - 1], previousScratch)) {
            return false;
        }
    }
    return true;
}

void sortNames(benchmark::State& state, Script script) {
    const auto count = static_cast<std::size_t>(state.range(0));
    const PrinterList printers = parsed(count, script);
    std::vector<std::string_view> names;
    for (auto _ : state) {
        state.PauseTiming();
        names = printers.names();
        state.ResumeTiming();
        kestrow::sortByScalarOrder(names);
    }
    check(state, names.size() == count && sortedByNfc(names), "sortByScalarOrder left names out of order");
    state.SetItemsProcessed(static_cast<std::int64_t>(state.iterations() * count));
}

void joinNames(benchmark::State& state) {
    const auto count = static_cast<std::size_t>(state.range(0));
    const PrinterList printers = parsed(count, Script::Ascii);
    std::size_t bytes = 0;
    for (auto _ : state) {
        std::string text = kestrow::joinLines(printers.names());
        benchmark::DoNotOptimize(text);
        bytes = text.size();
    }
    check(state, bytes + 1 == input(count, Script::Ascii).text.size(), "joinLines lost bytes");
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * bytes));
}

void writeAtomically(benchmark::State& state) {
    const auto count = static_cast<std::size_t>(state.range(0));
    const std::string& text = input(count, Script::Ascii).text;
    const std::string path = scratch().file("written.txt");
    bool written = true;
    for (auto _ : state) {
        written = written && !kestrow::writeFileAtomically(path, text);
    }
    check(state, written && fileContent(path) == text, "writeFileAtomically did not write the text whole");
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * text.size()));
}

std::vector<std::int64_t> parseCounts(std::string_view list) {
    std::vector<std::int64_t> counts;
    while (!list.empty()) {
        const auto comma = list.find(',');
        const std::string item(list.substr(0, comma));
        const long long value = std::atoll(item.c_str());
        if (value > 0) {
            counts.push_back(value);
        }
        list.remove_prefix(comma == std::string_view::npos ? list.size() : comma + 1);
    }
    return counts;
}

std::vector<std::string> parseList(std::string_view list) {
    std::vector<std::string> items;
    while (!list.empty()) {
        const auto comma = list.find(',');
        if (comma != 0) {
            items.emplace_back(list.substr(0, comma));
        }
        list.remove_prefix(comma == std::string_view::npos ? list.size() : comma + 1);
    }
    return items;
}

void registerAll(const std::vector<std::int64_t>& counts, const std::vector<std::string>& files) {
    auto sized = [&](benchmark::internal::Benchmark* benchmark, benchmark::TimeUnit unit) {
        for (const auto count : counts) {
            benchmark->Arg(count);
        }
        benchmark->Unit(unit);
    };
    using benchmark::kMicrosecond;
    using benchmark::kMillisecond;
    using benchmark::kNanosecond;
    for (const Script script : {Script::Ascii, Script::Mixed}) {
        const std::string suffix = std::string("/") + scriptName(script);
        sized(benchmark::RegisterBenchmark(("Parse" + suffix).c_str(), parse, script), kMillisecond);
        sized(benchmark::RegisterBenchmark(("LineSplit" + suffix).c_str(), lineSplit, script), kMillisecond);
        sized(benchmark::RegisterBenchmark(("NameTable" + suffix).c_str(), nameTable, script), kMillisecond);
        sized(benchmark::RegisterBenchmark(("Load" + suffix).c_str(), load, script), kMillisecond);
    }
    sized(benchmark::RegisterBenchmark("StateMemory", stateMemory)->Iterations(1), kMillisecond);
    sized(benchmark::RegisterBenchmark("RowRead", rowRead), kNanosecond);
    sized(benchmark::RegisterBenchmark("AllSelected", allSelected), kNanosecond);
    sized(benchmark::RegisterBenchmark("SelectAll/on", selectAll, true), kMicrosecond);
    sized(benchmark::RegisterBenchmark("SelectAll/off", selectAll, false), kMicrosecond);
    sized(benchmark::RegisterBenchmark("ToggleRow", toggleRow), kNanosecond);
    for (const Script script : {Script::Ascii, Script::Mixed}) {
        const std::string suffix = std::string("/") + scriptName(script);
        // fsync waits for the disk, which CPU time does not show.
        sized(benchmark::RegisterBenchmark(("Confirm" + suffix).c_str(), confirm, script)->UseRealTime(),
              kMillisecond);
        sized(benchmark::RegisterBenchmark(("ConfirmReference" + suffix).c_str(), confirmReference, script)
                  ->UseRealTime(),
              kMillisecond);
        sized(benchmark::RegisterBenchmark(("Sort" + suffix).c_str(), sortNames, script), kMillisecond);
    }
    sized(benchmark::RegisterBenchmark("Join", joinNames), kMillisecond);
    sized(benchmark::RegisterBenchmark("WriteAtomically", writeAtomically)->UseRealTime(), kMillisecond);
    for (const auto& file : files) {
        const std::string name = "LoadFile/" + std::filesystem::path(file).filename().string();
        benchmark::RegisterBenchmark(name.c_str(), loadFile, file)->Unit(kMillisecond);
    }
}

} // namespace

int main(int argc, char** argv) {
    std::vector<std::int64_t> counts = {10'000, 100'000, 1'000'000};
    std::vector<std::string> files;
    // Our own flags are taken out before Google Benchmark checks the rest.
    constexpr std::string_view namesFlag = "--kestrow_names=";
    constexpr std::string_view filesFlag = "--kestrow_list_files=";
    int kept = 1;
    for (int i = 1; i < argc; ++i) {
        const std::string_view argument(argv[i]);
        if (argument.starts_with(namesFlag)) {
            counts = parseCounts(argument.substr(namesFlag.size()));
        } else if (argument.starts_with(filesFlag)) {
            files = parseList(argument.substr(filesFlag.size()));
        } else {
            argv[kept++] = argv[i];
        }
    }
    argc = kept;
    if (counts.empty()) {
        std::cerr << "kestrow_core_bench: --kestrow_names needs positive list lengths, e.g. 100,1000\n";
        return 2;
    }

    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) {
        return 2;
    }
    registerAll(counts, files);
    const std::size_t ran = benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    if (ran == 0) {
        std::cerr << "kestrow_core_bench: no benchmark matched\n";
        return 1;
    }
    return g_failed ? 1 : 0;
}
