#include "kestrow/app/prompt_exit.h"

#include <cstdio>
#include <cstdlib>

#include <QCoreApplication>

#if defined(__SANITIZE_ADDRESS__)
#define KESTROW_LEAK_CHECK 1
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
#define KESTROW_LEAK_CHECK 1
#endif
#endif

#ifdef KESTROW_LEAK_CHECK
#include <sanitizer/lsan_interface.h>
#endif

void endPromptly(QWidget& window, int status) {
    // Off the screen at once: the window is unmapped (X11) or its surface destroyed (Wayland), and
    // one pass of the event loop sends that to the display server before anything else happens.
    window.hide();
    QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
    std::fflush(stdout);
#ifdef KESTROW_LEAK_CHECK
    // Everything still reachable from the live application is not a leak; what is unreachable is.
    __lsan_do_leak_check();
#endif
    std::_Exit(status);
}
