#include "kestrow/ui/window_edges.h"

#include <QWidget>

namespace {

constexpr int cornerLength = 16;

} // namespace

Qt::Edges windowEdgesAt(const QWidget* window, QPoint point) {
    if (window->minimumSize() == window->maximumSize()) {
        return {};
    }
    const auto near = [](int at, int size, int reach) {
        return at < reach ? -1 : at >= size - reach ? 1 : 0;
    };
    int horizontal = near(point.x(), window->width(), ownFrameWidth);
    int vertical = near(point.y(), window->height(), ownFrameWidth);
    if (horizontal == 0 && vertical == 0) {
        return {};
    }
    // On an edge near a corner: the corner.
    if (horizontal == 0) {
        horizontal = near(point.x(), window->width(), cornerLength);
    } else if (vertical == 0) {
        vertical = near(point.y(), window->height(), cornerLength);
    }
    Qt::Edges edges;
    edges.setFlag(Qt::LeftEdge, horizontal < 0);
    edges.setFlag(Qt::RightEdge, horizontal > 0);
    edges.setFlag(Qt::TopEdge, vertical < 0);
    edges.setFlag(Qt::BottomEdge, vertical > 0);
    return edges;
}

namespace {

constexpr char edgeCursorProperty[] = "kestrowEdgeCursor";

Qt::CursorShape edgeCursorShape(Qt::Edges edges) {
    const bool left = edges.testFlag(Qt::LeftEdge);
    const bool right = edges.testFlag(Qt::RightEdge);
    const bool top = edges.testFlag(Qt::TopEdge);
    const bool bottom = edges.testFlag(Qt::BottomEdge);
    if ((left && top) || (right && bottom)) {
        return Qt::SizeFDiagCursor;
    }
    if ((right && top) || (left && bottom)) {
        return Qt::SizeBDiagCursor;
    }
    return left || right ? Qt::SizeHorCursor : Qt::SizeVerCursor;
}

} // namespace

void showEdgeCursor(QWidget* window, Qt::Edges edges) {
    if (edges != Qt::Edges{}) {
        window->setCursor(edgeCursorShape(edges));
        window->setProperty(edgeCursorProperty, true);
    } else if (window->property(edgeCursorProperty).toBool()) {
        window->unsetCursor();
        window->setProperty(edgeCursorProperty, false);
    }
}
