#pragma once

// Turns Qt's fatal "no Qt platform plugin could be initialized", when its cause is a display that
// cannot be opened, into one line on standard error and exit status 1, instead of Qt's lines, the
// server's refusal that libxcb writes itself, and SIGABRT. An installer then hears which display
// failed and why (not found, refused, not set).
//
// Made just before the QApplication and released just after it: in between, standard error goes
// to a memory file (nothing is lost, nothing can block) and Qt's messages pass a handler that sees
// the fatal one. Released, whatever was written is passed on unchanged and in order; a fatal with
// any other cause (a missing library, a plugin that does not exist) ends as it always did. The
// normal path costs a few system calls; the display is probed only after Qt has failed.
class DisplayFailureReport {
public:
    DisplayFailureReport();
    ~DisplayFailureReport();
    DisplayFailureReport(const DisplayFailureReport&) = delete;
    DisplayFailureReport& operator=(const DisplayFailureReport&) = delete;

    // The application exists: standard error and Qt's messages are back to normal.
    void release();
};
