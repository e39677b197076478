#pragma once

#include <QPoint>

class QWidget;

// The edges of a window that Kestrow frames itself, where a press starts the compositor's resize.

// The width of the frame around a window's content; the outermost pixel is its border line.
constexpr int ownFrameWidth = 4;

// The edges of WINDOW that POINT (in the window's own coordinates) is on, with the corners a little
// longer than the frame is wide; none for a window of fixed size.
Qt::Edges windowEdgesAt(const QWidget* window, QPoint point);

// Shows on WINDOW the cursor of what a press on EDGES resizes; with no edges, takes back such a
// cursor (a cursor of the window's own is left alone).
void showEdgeCursor(QWidget* window, Qt::Edges edges);
