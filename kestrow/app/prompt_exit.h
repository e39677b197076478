#pragma once

// Ends the process once the answer is final (or the window was closed), without tearing the
// application down: standard output is flushed and the process exits with `status`, which closes
// its display connection, so the window leaves the screen at once. Never returns.
//
// Qt 6.4's Wayland plugin can deadlock in its display teardown (~QWaylandDisplay joins an event
// thread that waits for a read that will never come), and even when it does not, the teardown can
// keep the window on screen for a while after the user answered. Nothing of the teardown matters
// here: the exchange files are final and synced, every line on standard output was flushed as it
// was written, and the compositor or X server removes whatever is left of a client that is gone.
// Sanitizer builds run their leak check here, since the usual one at exit does not run.
[[noreturn]] void endPromptly(int status);
