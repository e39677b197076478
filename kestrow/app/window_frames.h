#pragma once

// Who draws the window frames, decided before the QApplication exists.
enum class WindowFrames {
    Platform, // the X11 window manager, the Wayland compositor, or Qt as the user asked
    Own,      // Kestrow's own (OwnWindowFrames), on a Wayland compositor that draws none
};

// On Wayland (WAYLAND_DISPLAY names a compositor), tells Qt never to prepare window frames of its
// own, and answers whether the compositor draws them (it offers xdg-decoration, as sway and KWin
// do) or Kestrow must (GNOME's mutter, Weston).
//
// Qt 6.4's Wayland plugin sets up EGL when it creates the first window only to learn whether it
// could draw a frame (QWaylandWindow::createDecoration() asks
// QWaylandDisplay::supportsWindowDecoration(), which loads the wayland-egl client buffer
// integration and runs eglInitialize): 35 to 110 ms of start-up and about 50 MiB for a raster
// window that never uses OpenGL. Its frame is also not a dialog's on GNOME: grey, with minimise
// and maximise buttons. QT_WAYLAND_DISABLE_WINDOWDECORATION skips the question, EGL with it. A
// user who set that variable either way keeps Qt's behaviour.
WindowFrames chooseWindowFrames();
