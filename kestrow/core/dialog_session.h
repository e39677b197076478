#pragma once

#include <functional>
#include <string>
#include <string_view>

#include "kestrow/core/exchange_paths.h"
#include "kestrow/core/file_error.h"
#include "kestrow/core/selection_state.h"

namespace kestrow {

// What the session needs from the world: where its diagnostic lines go and how it asks the
// application to end.
struct SessionHooks {
    std::function<void(const std::string& line)> printLine;
    std::function<void()> requestTermination;
};

// The operations that load the list and finish the dialog, working on one SelectionState and the
// three exchange files. No failure escapes, running out of memory included: those that leave the
// dialog open raise the alert, those met while finishing are printed as one line each.
class DialogSession {
public:
    DialogSession(ExchangePaths paths, SessionHooks hooks);

    SelectionState& state() { return m_state; }
    const SelectionState& state() const { return m_state; }
    const ExchangePaths& paths() const { return m_paths; }

    void loadPrinters() noexcept;
    void handleOK() noexcept;
    void handleCancel() noexcept;
    void createDoneFlag() noexcept;

private:
    struct LoadFailure {
        bool nothingThere;
        FileError error;
    };
    std::optional<LoadFailure> readPrinters();
    std::optional<FileError> writeSelection() noexcept;
    std::optional<FileError> writeExchangeFile(const std::string& path, std::string_view content) noexcept;
    void raiseAlert(Alert::Kind kind, const std::string& path = {},
                    std::optional<FileError> reason = std::nullopt) noexcept;
    template <typename MakeLine> void print(MakeLine makeLine) noexcept;
    void finish() noexcept;

    ExchangePaths m_paths;
    SessionHooks m_hooks;
    SelectionState m_state;
    // Leftovers of killed runs are cleared once, before this run's first write.
    bool m_temporariesCleared = false;
    // Set once termination is requested. The event loop may still deliver a queued second
    // Return or click; it must not write again, nor remove the selection just confirmed.
    bool m_finished = false;
};

} // namespace kestrow
