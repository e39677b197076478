#include "dialog_session.h"

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
    auto read = readRegularFile(path);
    std::optional<PrinterList> printers;
    if (!read.error) {
        printers = parsePrinterList(std::move(read.content));
        if (!printers) {
            read.error = FileError{"The file is not valid UTF-8 text."};
        }
    }
    if (read.error) {
        m_state.raiseAlert("Error loading printers from file '" + path + "':\n" + read.error->description);
        m_state.setPrinters({});
        return;
    }
    m_state.setPrinters(std::move(*printers));
    if (m_state.printers().empty()) {
        m_state.raiseAlert(
            "Printer list file was found but is empty or contains only blank lines.\nPlease ensure '" + path +
            "' is populated correctly.");
    }
}

void DialogSession::handleOK() {
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
    createDoneFlag();
    m_hooks.requestTermination();
}

void DialogSession::handleCancel() {
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
    createDoneFlag();
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
