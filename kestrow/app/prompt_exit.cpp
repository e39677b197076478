#include "kestrow/app/prompt_exit.h"

#include <cstdio>
#include <cstdlib>

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

void endPromptly(int status) {
    // The window is not hidden first: the process's end closes its connection, and the display
    // server removes the window at once. Destroying the surface by hand while Qt 6.4's Wayland
    // event thread still reads made libwayland-client abort now and then under mutter
    // ("wl_proxy_unref: Assertion `proxy->refcount > 0' failed") after the answer was written.
    std::fflush(stdout);
#ifdef KESTROW_LEAK_CHECK
    // Everything still reachable from the live application is not a leak; what is unreachable is.
    __lsan_do_leak_check();
#endif
    std::_Exit(status);
}
