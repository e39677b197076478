#pragma once

// Before the QApplication exists: tells Qt's Wayland plugin not to bind the compositor's
// text-input protocols (it leaves alone every global QT_WAYLAND_DISABLED_INTERFACES names). The
// window has no text field, so an input method has nothing to do here, and mutter 48 sometimes
// sends text-input v3 a leave for a surface already gone, which Qt 6.8 reports on standard error
// ("Got leave event for surface 0x0"). A user's own setting of the variable is kept.
void skipWaylandTextInput();
