#pragma once

#include <QObject>

class QWidget;

// Frames every window of the application, as it is first shown, where the compositor draws no
// window frames (GNOME's mutter and Weston offer no xdg-decoration): a TitleBar, a border, and
// edges that resize a resizable window. The content keeps the size it asked for. One object for
// the application, made before the first window is shown.
class OwnWindowFrames final : public QObject {
public:
    OwnWindowFrames();
    ~OwnWindowFrames() override;
    OwnWindowFrames(const OwnWindowFrames&) = delete;
    OwnWindowFrames& operator=(const OwnWindowFrames&) = delete;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    static void frame(QWidget* window);
};
