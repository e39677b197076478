#include "kestrow/app/wayland_text_input.h"

#include <cstdlib>

void skipWaylandTextInput() {
    // Every text-input protocol Qt's Wayland plugin knows.
    ::setenv("QT_WAYLAND_DISABLED_INTERFACES",
             "zwp_text_input_manager_v1,zwp_text_input_manager_v2,zwp_text_input_manager_v3,"
             "qt_text_input_method_manager_v1",
             0); // still single-threaded: no QApplication yet
}
