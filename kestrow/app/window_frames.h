#pragma once

// Before the QApplication exists: where a Wayland compositor draws window frames itself (it
// offers xdg-decoration, as sway and KWin do), tells Qt not to prepare frames of its own.
//
// Qt 6.4's Wayland plugin sets up EGL when it creates the first window only to learn whether it
// could draw a frame (QWaylandWindow::createDecoration() asks
// QWaylandDisplay::supportsWindowDecoration(), which loads the wayland-egl client buffer
// integration and runs eglInitialize): 35 to 110 ms of start-up for a raster window that never
// uses OpenGL, and that frame is not drawn at all where the compositor decorates. Qt's own switch
// for that case, QT_WAYLAND_DISABLE_WINDOWDECORATION, skips the question (and EGL with it).
// Compositors without xdg-decoration (GNOME, Weston) keep Qt's frame, as does a user who set
// the variable either way. Nothing is done unless WAYLAND_DISPLAY names a compositor.
void preferCompositorDecorations();
