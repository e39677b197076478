#include "dialog_session.h"

#include <cerrno>
#include <new>
#include <stdexcept>
#include <system_error>

#include "file_ops.h"
#include "printer_list.h"
#include "printer_name.h"

namespace kestrow {

DialogSession::DialogSession(ExchangePaths paths, SessionHooks hooks)
    : m_paths(std::move(paths))
    , m_hooks(std::move(hooks)) {}

void DialogSession::loadPrinters() {
    const std::string& path = m_paths.printerListFilePath;
    if (!existsFollowingLinks(path)) {
        m_state.raiseAlert(
            "Printer list file not found at:\n" + path +
            "\n\nPlease ensure the file exists and the application has permission to read it.");
        return;
    }
    std::optional<FileError> failure;
    try {
        auto read = readRegularFile(path);
        if (read.error) {
            failure = std::move(read.error);
        } else if (auto printers = parsePrinterList(std::move(read.content))) {
            m_state.setPrinters(std::move(*printers));
        } else {
            failure = FileError{"The file is not valid UTF-8 text."};
        }
    } catch (const std::bad_alloc&) {
        // A list larger than memory (a huge or sparse file planted in /tmp) is a read failure,
        // not a crash.
        failure = FileError{std::generic_category().message(ENOMEM)};
    } catch (const std::length_error&) {
        failure = FileError{std::generic_category().message(ENOMEM)};
    }
    if (failure) {
        m_state.raiseAlert("Error loading printers from file '" + path + "':\n" + failure->description);
        m_state.setPrinters({});
        return;
    }
    if (m_state.printers().empty()) {
        m_state.raiseAlert(
            "Printer list file was found but is empty or contains only blank lines.\nPlease ensure '" + path +
            "' is populated correctly.");
    }
}

void DialogSession::handleOK() {
    if (m_finished) {
        return;
    }
    if (m_state.selectionEmpty()) {
        m_state.raiseAlert("No printers selected. Please select at least one printer.");
        return;
    }
    auto names = m_state.selectedNames();
    sortByScalarOrder(names);
    const std::string& path = m_paths.selectedPrintersFilePath;
    if (const auto error = writeFileAtomically(path, joinLines(names))) {
        m_state.raiseAlert("Error writing selected printers to '" + path + "':\n" + error->description);
        return;
    }
    finish();
}

void DialogSession::handleCancel() {
    if (m_finished) {
        return;
    }
    const std::string& path = m_paths.selectedPrintersFilePath;
    // Any entry counts, a dangling link too: a link planted at this path must not outlive a cancel.
    if (existsAsEntry(path)) {
        if (const auto error = removeEntry(path)) {
            m_hooks.printLine("Error removing selected printers file on cancel at '" + path +
                              "': " + error->description);
        } else {
            m_hooks.printLine("Selected printers file removed on cancel: " + path);
        }
    }
    finish();
}

void DialogSession::finish() {
    createDoneFlag();
    m_finished = true;
    m_hooks.requestTermination();
}

void DialogSession::createDoneFlag() {
    const std::string& path = m_paths.doneFlagPath;
    if (const auto error = writeFileAtomically(path, {})) {
        m_hooks.printLine("CRITICAL ERROR: Could not write done flag at '" + path +
                          "': " + error->description);
    } else {
        m_hooks.printLine("Done flag created at: " + path);
    }
}

} // namespace kestrow
