#include "kestrow/ui/own_window_frames.h"

#include <QApplication>
#include <QMouseEvent>
#include <QPainter>
#include <QScreen>
#include <QWidget>
#include <QWindow>

#include <algorithm>

#include "kestrow/ui/title_bar.h"
#include "kestrow/ui/window_edges.h"

namespace {

constexpr char framedProperty[] = "kestrowOwnFrame";
constexpr int borderWidth = 1;

bool isFramed(const QWidget* window) {
    return window->property(framedProperty).toBool();
}

// Top-level windows and dialogs (a window-modal message box is a sheet, a dialog off macOS);
// menus, tool tips and the like have no frame anywhere.
bool wantsFrame(const QWidget* widget) {
    switch (widget->windowType()) {
    case Qt::Window:
    case Qt::Dialog:
    case Qt::Sheet:
        return widget->isWindow();
    default:
        return false;
    }
}

// The object itself, if it is a framed window: cheap for the many events of other widgets.
QWidget* asFramedWindow(QObject* object) {
    if (!object->isWidgetType() || !static_cast<QWidget*>(object)->isWindow()) {
        return nullptr;
    }
    auto* window = static_cast<QWidget*>(object);
    return isFramed(window) ? window : nullptr;
}

// The framed window that the object is, or is in.
QWidget* framedWindowOf(QObject* object) {
    return object->isWidgetType() ? asFramedWindow(static_cast<QWidget*>(object)->window()) : nullptr;
}

} // namespace

OwnWindowFrames::OwnWindowFrames() {
    QCoreApplication::instance()->installEventFilter(this);
}

OwnWindowFrames::~OwnWindowFrames() = default;

void OwnWindowFrames::frame(QWidget* window) {
    window->setProperty(framedProperty, true);
    auto* bar = new TitleBar(window);
    const int barHeight = bar->sizeHint().height();
    const QMargins frame(ownFrameWidth, borderWidth + barHeight, ownFrameWidth, ownFrameWidth);
    const QMargins content = window->contentsMargins();
    window->setContentsMargins(content + frame);
    bar->setGeometry(borderWidth, borderWidth, window->width() - 2 * borderWidth, barHeight);
    bar->show();
    window->setMouseTracking(true); // the resize cursor along the edges
    // The content keeps its size: the frame is added to the window's size and to its limits.
    const QSize extent(frame.left() + frame.right(), frame.top() + frame.bottom());
    const auto grown = [&extent](QSize size) {
        return QSize(std::min(size.width() + extent.width(), QWIDGETSIZE_MAX),
                     std::min(size.height() + extent.height(), QWIDGETSIZE_MAX));
    };
    QSize room = grown(window->maximumSize());
    if (const QScreen* screen = window->screen()) {
        room = room.boundedTo(screen->availableGeometry().size());
    }
    window->setMaximumSize(grown(window->maximumSize()));
    window->setMinimumSize(grown(window->minimumSize()).boundedTo(room));
    window->resize(grown(window->size()).boundedTo(room));
}

bool OwnWindowFrames::eventFilter(QObject* watched, QEvent* event) {
    switch (event->type()) {
    case QEvent::Show:
        if (watched->isWidgetType()) {
            auto* widget = static_cast<QWidget*>(watched);
            if (wantsFrame(widget) && !isFramed(widget)) {
                frame(widget);
            }
        }
        break;
    case QEvent::Resize:
        if (QWidget* window = asFramedWindow(watched)) {
            if (auto* bar = window->findChild<TitleBar*>(QString(), Qt::FindDirectChildrenOnly)) {
                bar->resize(window->width() - 2 * borderWidth, bar->height());
            }
        }
        break;
    case QEvent::Paint:
        if (QWidget* window = asFramedWindow(watched)) {
            // Inside the window's own paint event, before its paintEvent() (which draws nothing
            // in the margins).
            QPainter painter(window);
            painter.setPen(window->palette().color(QPalette::Mid));
            painter.drawRect(window->rect().adjusted(0, 0, -1, -1));
        }
        break;
    case QEvent::MouseMove:
    case QEvent::MouseButtonPress:
        if (QWidget* window = asFramedWindow(watched)) {
            const auto* mouse = static_cast<QMouseEvent*>(event);
            const Qt::Edges edges = windowEdgesAt(window, mouse->position().toPoint());
            if (event->type() == QEvent::MouseMove) {
                showEdgeCursor(window, edges);
            } else if (mouse->button() == Qt::LeftButton && edges != Qt::Edges{} && window->windowHandle()) {
                window->windowHandle()->startSystemResize(edges);
                return true;
            }
        }
        break;
    case QEvent::Enter:
    case QEvent::Leave:
        // Children take the window's cursor: off the edges it must be the arrow again.
        if (QWidget* window = framedWindowOf(watched);
            window != nullptr && (window != watched || event->type() == QEvent::Leave)) {
            showEdgeCursor(window, {});
        }
        break;
    default:
        break;
    }
    return QObject::eventFilter(watched, event);
}
