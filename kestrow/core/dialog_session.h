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
    ExchangePaths m_paths;
    SessionHooks m_hooks;
    SelectionState m_state;
};

} // namespace kestrow
