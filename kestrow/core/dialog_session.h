#pragma once

#include <functional>
#include <string>

#include "exchange_paths.h"
#include "selection_state.h"

namespace kestrow {

// What the session needs from the world: where its diagnostic lines go and how it asks the
// application to end.
struct SessionHooks {
    std::function<void(const std::string& line)> printLine;
    std::function<void()> requestTermination;
};

// The operations that load the list and finish the dialog, working on one SelectionState and the
// three exchange files. No failure escapes: those that leave the dialog open raise the alert,
// those met while finishing are printed as one line each.
class DialogSession {
public:
    DialogSession(ExchangePaths paths, SessionHooks hooks);

    SelectionState& state() { return m_state; }
    const SelectionState& state() const { return m_state; }
    const ExchangePaths& paths() const { return m_paths; }

    void loadPrinters();
    void handleOK();
    void handleCancel();
    void createDoneFlag();

private:
    void finish();

    ExchangePaths m_paths;
    SessionHooks m_hooks;
    SelectionState m_state;
    // Set once termination is requested. The event loop may still deliver a queued second
    // Return or click; it must not write again, nor remove the selection just confirmed.
    bool m_finished = false;
};

} // namespace kestrow
