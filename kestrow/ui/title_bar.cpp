#include "kestrow/ui/title_bar.h"

#include <QAbstractButton>
#include <QEvent>
#include <QHBoxLayout>
#include <QMouseEvent>
#include <QPainter>
#include <QWindow>

#include "kestrow/ui/window_edges.h"

namespace {

// Drawn rather than taken from an icon theme: sharp at every scale, in the palette's colours,
// and no theme to look up before the first frame.
class CloseButton final : public QAbstractButton {
public:
    explicit CloseButton(QWidget* parent)
        : QAbstractButton(parent) {
        setFocusPolicy(Qt::NoFocus); // Escape and the compositor's own keys close from the keyboard
        setAttribute(Qt::WA_Hover);
    }

    QSize sizeHint() const override {
        const int side = fontMetrics().height() + 8;
        return {side, side};
    }

protected:
    void paintEvent(QPaintEvent*) override {
        QPainter painter(this);
        painter.setRenderHint(QPainter::Antialiasing);
        const QRectF circle = QRectF(rect()).adjusted(1, 1, -1, -1);
        if (isDown() || underMouse()) {
            painter.setPen(Qt::NoPen);
            QColor shade = palette().color(QPalette::WindowText);
            shade.setAlphaF(isDown() ? 0.25 : 0.12);
            painter.setBrush(shade);
            painter.drawEllipse(circle);
        }
        QPen pen(palette().color(QPalette::WindowText), 1.5);
        pen.setCapStyle(Qt::RoundCap);
        painter.setPen(pen);
        const qreal arm = circle.width() * 0.17;
        const QPointF centre = circle.center();
        painter.drawLine(centre + QPointF(-arm, -arm), centre + QPointF(arm, arm));
        painter.drawLine(centre + QPointF(-arm, arm), centre + QPointF(arm, -arm));
    }
};

constexpr int barPadding = 5;

} // namespace

TitleBar::TitleBar(QWidget* window)
    : QWidget(window) {
    setObjectName(QStringLiteral("titleBar"));
    setMouseTracking(true); // the resize cursor along the top edge (set on the window)
    QFont bold = font();
    bold.setBold(true);
    setFont(bold);

    auto* close = new CloseButton(this);
    close->setObjectName(QStringLiteral("closeWindow"));
    //: The button in a window's title bar that closes the window (read out by screen readers).
    close->setAccessibleName(tr("Close"));
    close->setToolTip(close->accessibleName());
    connect(close, &QAbstractButton::clicked, window, &QWidget::close);

    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(barPadding, barPadding, barPadding, barPadding);
    layout->addStretch(1);
    layout->addWidget(close);
    window->installEventFilter(this);
}

QSize TitleBar::sizeHint() const {
    return {0, layout()->sizeHint().height()};
}

QSize TitleBar::minimumSizeHint() const {
    return sizeHint();
}

bool TitleBar::eventFilter(QObject* watched, QEvent* event) {
    if (watched == parent() &&
        (event->type() == QEvent::WindowTitleChange || event->type() == QEvent::ActivationChange)) {
        update();
    }
    return QWidget::eventFilter(watched, event);
}

void TitleBar::mousePressEvent(QMouseEvent* event) {
    QWindow* handle = window()->windowHandle();
    if (event->button() != Qt::LeftButton || handle == nullptr) {
        QWidget::mousePressEvent(event);
        return;
    }
    const Qt::Edges edges = windowEdgesAt(window(), mapTo(window(), event->position().toPoint()));
    if (edges != Qt::Edges{}) {
        handle->startSystemResize(edges);
    } else {
        handle->startSystemMove();
    }
    event->accept();
}

void TitleBar::mouseMoveEvent(QMouseEvent* event) {
    showEdgeCursor(window(), windowEdgesAt(window(), mapTo(window(), event->position().toPoint())));
    QWidget::mouseMoveEvent(event);
}

void TitleBar::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.fillRect(rect(),
                     palette().color(QPalette::Window).darker(window()->isActiveWindow() ? 106 : 103));
    painter.setPen(palette().color(QPalette::Mid));
    painter.drawLine(rect().bottomLeft(), rect().bottomRight());
    // Painted, not a label: the window's accessible name already carries the title, and a screen
    // reader would read a label of it a second time. In the middle of the window, clear of the
    // close button on either side (it changes sides in right-to-left languages).
    const int button = height() - 2 * barPadding;
    const QRect room =
        rect().adjusted(barPadding + button + barPadding, 0, -(barPadding + button + barPadding), 0);
    painter.setPen(palette().color(QPalette::WindowText));
    painter.drawText(room, Qt::AlignCenter,
                     fontMetrics().elidedText(window()->windowTitle(), Qt::ElideRight, room.width()));
}
