#pragma once

#include <QWidget>

// The title bar of a window whose frame Kestrow draws itself (see OwnWindowFrames): the window's
// title, centred, and a close button, as a dialog has on GNOME: no minimise or maximise. A drag
// on it moves the window, and its top edge resizes a resizable one, both done by the compositor.
class TitleBar final : public QWidget {
    Q_OBJECT

public:
    explicit TitleBar(QWidget* window);

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
};
