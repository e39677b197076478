#include "kestrow/core/dialog_session.h"

#include <cerrno>
#include <new>
#include <stdexcept>

#include "kestrow/core/file_ops.h"
#include "kestrow/core/printer_list.h"
#include "kestrow/core/printer_name.h"

namespace kestrow {

namespace {

// What an allocation that cannot be served (std::bad_alloc, or a size past what a string can
// hold) becomes: the C library's own words for it.
const FileError outOfMemory = FileError::system(ENOMEM);

} // namespace

DialogSession::DialogSession(ExchangePaths paths, SessionHooks hooks)
    : m_paths(std::move(paths))
    , m_hooks(std::move(hooks)) {}

void DialogSession::loadPrinters() noexcept {
    const std::string& path = m_paths.printerListFilePath;
    std::optional<LoadFailure> failure;
    try {
        failure = readPrinters();
    } catch (const std::bad_alloc&) {
        // A list larger than memory (a huge or sparse file planted in /tmp) is a read failure,
        // not a crash; the state is as it was before the attempt.
        failure = LoadFailure{false, outOfMemory};
    } catch (const std::length_error&) {
        failure = LoadFailure{false, outOfMemory};
    }
    // Told by the open itself, not by an earlier look that could be outdated.
    if (failure && failure->nothingThere) {
        raiseAlert(Alert::Kind::ListNotFound, path);
        return;
    }
    if (failure) {
        // Emptied first, so that nothing draws the old rows under the alert. Only carrying a
        // choice over allocates (a reload); should that fail, the old list stays, whole.
        try {
            m_state.setPrinters({});
        } catch (const std::bad_alloc&) {
        }
        raiseAlert(Alert::Kind::ListUnreadable, path, failure->error);
        return;
    }
    if (m_state.printers().empty()) {
        raiseAlert(Alert::Kind::ListEmpty, path);
    }
}

// Reads and parses the list into the state, all or nothing.
std::optional<DialogSession::LoadFailure> DialogSession::readPrinters() {
    auto read = readRegularFile(m_paths.printerListFilePath);
    if (read.error) {
        return LoadFailure{!read.found, *read.error};
    }
    auto parsed = parsePrinterList(std::move(read.content));
    if (!parsed.printers) {
        return LoadFailure{false, FileError{parsed.refusal}};
    }
    m_state.setPrinters(std::move(*parsed.printers));
    return std::nullopt;
}

void DialogSession::handleOK() noexcept {
    if (m_finished) {
        return;
    }
    if (m_state.selectionEmpty()) {
        raiseAlert(Alert::Kind::NothingSelected);
        return;
    }
    if (const auto error = writeSelection()) {
        raiseAlert(Alert::Kind::SelectionNotWritten, m_paths.selectedPrintersFilePath, *error);
        return;
    }
    finish();
}

std::optional<FileError> DialogSession::writeSelection() noexcept {
    try {
        // Sorting and joining a huge selection may not fit in memory: then nothing is written.
        return writeExchangeFile(m_paths.selectedPrintersFilePath,
                                 joinLines(m_state.selectedNamesInScalarOrder()));
    } catch (const std::bad_alloc&) {
        return outOfMemory;
    } catch (const std::length_error&) {
        return outOfMemory;
    }
}

void DialogSession::handleCancel() noexcept {
    if (m_finished) {
        return;
    }
    const std::string& path = m_paths.selectedPrintersFilePath;
    // Whatever stands there goes, a dangling link too: a link planted at this path must not
    // outlive a cancel.
    const auto removal = removeEntry(path);
    if (removal.error) {
        print([&] {
            return "Error removing selected printers file on cancel at '" + path +
                   "': " + removal.error->description();
        });
    } else if (removal.removed) {
        print([&] { return "Selected printers file removed on cancel: " + path; });
    }
    finish();
}

void DialogSession::finish() noexcept {
    createDoneFlag();
    m_finished = true;
    m_hooks.requestTermination();
}

void DialogSession::createDoneFlag() noexcept {
    const std::string& path = m_paths.doneFlagPath;
    if (const auto error = writeExchangeFile(path, {})) {
        print([&] {
            return "CRITICAL ERROR: Could not write done flag at '" + path + "': " + error->description();
        });
    } else {
        print([&] { return "Done flag created at: " + path; });
    }
}

std::optional<FileError> DialogSession::writeExchangeFile(const std::string& path,
                                                          std::string_view content) noexcept {
    try {
        if (!m_temporariesCleared) {
            m_temporariesCleared = true;
            const std::string selectionDirectory = directoryOf(m_paths.selectedPrintersFilePath);
            const std::string flagDirectory = directoryOf(m_paths.doneFlagPath);
            removeAbandonedTemporaries(selectionDirectory);
            if (flagDirectory != selectionDirectory) {
                removeAbandonedTemporaries(flagDirectory);
            }
        }
        return writeFileAtomically(path, content);
    } catch (const std::bad_alloc&) {
        return outOfMemory;
    }
}

void DialogSession::raiseAlert(Alert::Kind kind, const std::string& path,
                               std::optional<FileError> reason) noexcept {
    try {
        m_state.raiseAlert({kind, path, reason});
    } catch (const std::bad_alloc&) {
        // Not even the message fits in memory: the window stays as it is, without the alert.
    }
}

template <typename MakeLine> void DialogSession::print(MakeLine makeLine) noexcept {
    try {
        m_hooks.printLine(makeLine());
    } catch (const std::bad_alloc&) {
        // The line cannot be made; finishing goes on, as for a closed standard output.
    }
}

} // namespace kestrow
