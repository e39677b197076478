#include "kestrow/ui/content_view.h"

#include <QAccessible>
#include <QCheckBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QScreen>
#include <QStackedWidget>
#include <QTimer>
#include <QVBoxLayout>
#include <QWindow>

#include <functional>

#include <algorithm>

#include "kestrow/ui/alert_text.h"
#include "kestrow/ui/check_box_contrast.h"
#include "kestrow/ui/printer_list_accessible.h"
#include "kestrow/ui/printer_list_model.h"
#include "kestrow/ui/printer_list_view.h"
#include "kestrow/ui/row_toggle_delegate.h"

namespace {

// Calls back once, from the event loop, when a window is first exposed: by then the window
// manager has placed it (an X11 window manager sends the position before the window is mapped).
class FirstExposure final : public QObject {
public:
    FirstExposure(QWindow* window, std::function<void()> exposed)
        : QObject(window)
        , m_window(window)
        , m_exposed(std::move(exposed)) {
        setObjectName(QLatin1String(name));
        window->installEventFilter(this);
    }

    // One watch a window; found by its name, as a class without Q_OBJECT cannot be (Qt 6.8).
    static bool watching(const QWindow* window) {
        return window->findChild<QObject*>(QLatin1String(name), Qt::FindDirectChildrenOnly) != nullptr;
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (watched == m_window && event->type() == QEvent::Expose && m_window->isExposed()) {
            m_window->removeEventFilter(this);
            QTimer::singleShot(0, parent(), m_exposed);
            deleteLater();
        }
        return false;
    }

private:
    static constexpr const char* name = "kestrow-first-exposure";
    QWindow* m_window;
    std::function<void()> m_exposed;
};

constexpr QSize minimumContentSize{450, 300};
constexpr QSize idealContentSize{550, 400};
constexpr int minimumListHeight = 150;

// Fixed texts never hold markup, but a label must never turn a text into rich text.
QLabel* plainLabel(const QString& text, QWidget* parent) {
    auto* label = new QLabel(text, parent);
    label->setTextFormat(Qt::PlainText);
    return label;
}

int standardPadding(const QWidget* widget) {
    return widget->style()->pixelMetric(QStyle::PM_LayoutTopMargin);
}

// The keys that answer the window or the alert, or tick a row. Held down, they repeat; one press
// must act once.
bool isAnswerKey(int key) {
    switch (key) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
    case Qt::Key_Escape:
    case Qt::Key_Space:
    case Qt::Key_Select:
        return true;
    default:
        return false;
    }
}

} // namespace

ContentView::ContentView(kestrow::ExchangePaths paths, kestrow::SessionHooks hooks, QWidget* parent)
    : QWidget(parent)
    , m_session(std::move(paths), std::move(hooks)) {
    static const bool accessibleInterfacesInstalled = [] {
        QAccessible::installFactory(kestrowAccessibleInterface);
        return true;
    }();
    Q_UNUSED(accessibleInterfacesInstalled);
    m_model = new PrinterListModel(m_session.state(), this);
    buildLayout();
    connectControls();
    m_session.state().setChangeListener(
        [this](const kestrow::SelectionState::Change& change) { stateChanged(change); });
    setMinimumSize(minimumContentSize);
    refreshControls();
}

ContentView::~ContentView() {
    m_session.state().setChangeListener({});
    // The list and its model read the session's state, which goes before QWidget deletes them.
    delete m_list;
    delete m_model;
}

QSize ContentView::sizeHint() const {
    return idealContentSize;
}

void ContentView::buildLayout() {
    auto* root = new QVBoxLayout(this);
    root->setContentsMargins(0, 0, 0, 0);

    auto* heading = plainLabel(tr("Select Printers to Install"), this);
    heading->setObjectName(QStringLiteral("heading"));
    QFont headline = heading->font();
    headline.setBold(true);
    headline.setPointSizeF(headline.pointSizeF() * 1.15);
    heading->setFont(headline);
    heading->setContentsMargins(0, standardPadding(this), 0, 0);
    root->addWidget(heading, 0, Qt::AlignHCenter);

    m_list = new PrinterListView(this);
    m_list->setObjectName(QStringLiteral("printerList"));
    m_list->setAccessibleName(tr("Printers"));
    m_list->setModel(m_model);
    m_list->setItemDelegate(new RowToggleDelegate(m_list));
    // Uniform rows let the view lay out a million names without measuring each one.
    m_list->setUniformItemSizes(true);
    // The check marks are the only choice: a selection highlight would paint over chosen rows.
    m_list->setSelectionMode(QAbstractItemView::NoSelection);
    m_list->setEditTriggers(QAbstractItemView::NoEditTriggers);
    // Rows are as wide as the list shows (see RowToggleDelegate::sizeHint): long names are elided.
    m_list->setTextElideMode(Qt::ElideRight);
    m_list->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    m_list->setMinimumHeight(minimumListHeight);
    m_list->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);

    // The notice that stands in for an empty list is made when first needed, like the alert.
    m_middle = new QStackedWidget(this);
    m_middle->addWidget(m_list);
    root->addWidget(m_middle, 1);

    const int padding = standardPadding(this);
    auto* bar = new QHBoxLayout;
    bar->setContentsMargins(padding, padding, padding, padding);
    //: A check box that ticks every printer in the list (or none).
    m_selectAll = new QCheckBox(tr("Select All"), this);
    m_selectAll->setObjectName(QStringLiteral("selectAll"));
    m_selectAll->setPalette(withVisibleCheckBoxBorders(palette()));
    m_cancel = new QPushButton(tr("Cancel"), this);
    m_cancel->setObjectName(QStringLiteral("cancel"));
    m_ok = new QPushButton(tr("OK"), this);
    m_ok->setObjectName(QStringLiteral("ok"));
    m_ok->setDefault(true);
    bar->addWidget(m_selectAll);
    bar->addStretch(1);
    bar->addWidget(m_cancel);
    bar->addWidget(m_ok);
    root->addLayout(bar);

    setTabOrder(m_list, m_selectAll);
    setTabOrder(m_selectAll, m_cancel);
    setTabOrder(m_cancel, m_ok);
}

void ContentView::connectControls() {
    connect(m_selectAll, &QCheckBox::clicked, this,
            [this](bool checked) { m_session.state().setAllSelected(checked); });
    connect(m_cancel, &QPushButton::clicked, this, [this] { m_session.handleCancel(); });
    connect(m_ok, &QPushButton::clicked, this, [this] { m_session.handleOK(); });

    // Return, Enter and Escape work whatever has the focus (see answerKeyPress). They come to the
    // controls as plain key presses, after a screen reader has had them: it may keep one for
    // itself (Orca's "where am I" is keypad Enter), which a QShortcut would take before it.
    for (QWidget* control : std::initializer_list<QWidget*>{m_list, m_selectAll, m_cancel, m_ok}) {
        control->installEventFilter(this);
    }
}

QMessageBox* ContentView::alert() {
    if (m_alert != nullptr) {
        return m_alert;
    }
    m_alert = new QMessageBox(this);
    m_alert->setObjectName(QStringLiteral("alert"));
    m_alert->setWindowTitle(tr("Printer Selection"));
    m_alert->setTextFormat(Qt::PlainText);
    m_alert->setIcon(QMessageBox::Warning);
    m_alert->setWindowModality(Qt::WindowModal);
    auto* alertOk = m_alert->addButton(tr("OK"), QMessageBox::AcceptRole);
    m_alert->setDefaultButton(alertOk);
    m_alert->setEscapeButton(alertOk);
    // The button has the keyboard; what it leaves to the box comes by way of the box.
    alertOk->installEventFilter(this);
    m_alert->installEventFilter(this);
    connect(m_alert, &QMessageBox::finished, this, [this] {
        m_session.state().dismissAlert();
        // Hand the keyboard back to the window, also where no window manager does it.
        activateWindow();
    });
    return m_alert;
}

bool ContentView::isRepeat(const QKeyEvent* key) {
    if (key->type() == QEvent::KeyRelease) {
        m_lastRelease = {key->key(), key->timestamp()};
        return key->isAutoRepeat();
    }
    // Qt does not always say so (see X11KeyRepeats). An X server repeats a key as a release and a
    // press with the same time stamp, which a key that came straight from Qt still has.
    return key->isAutoRepeat() || m_x11Repeats.lastPressRepeated(key->nativeScanCode()) ||
           (key->timestamp() != 0 && m_lastRelease.key == key->key() &&
            m_lastRelease.timestamp == key->timestamp());
}

bool ContentView::answerKeyPress(const QKeyEvent* key) {
    QPushButton* button = nullptr;
    switch (key->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
        button = m_ok;
        break;
    case Qt::Key_Escape:
        button = m_cancel;
        break;
    default:
        return false;
    }
    if (key->modifiers() & ~Qt::KeypadModifier) {
        return false;
    }
    // Exactly like a click, once per press, and only while the button is enabled.
    if (!isRepeat(key) && button->isEnabled()) {
        button->click();
    }
    return true;
}

bool ContentView::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() != QEvent::KeyPress && event->type() != QEvent::KeyRelease) {
        return QWidget::eventFilter(watched, event);
    }
    const auto* key = static_cast<const QKeyEvent*>(event);
    if (!isAnswerKey(key->key())) {
        return QWidget::eventFilter(watched, event);
    }
    if (event->type() == QEvent::KeyRelease) {
        isRepeat(key);
        return QWidget::eventFilter(watched, event);
    }
    // In the alert: a key held since before it opened (the Return that confirmed) repeats into
    // it, and the alert answers fresh presses only.
    if (m_alert != nullptr &&
        (watched == m_alert || m_alert->isAncestorOf(qobject_cast<QWidget*>(watched)))) {
        return isRepeat(key) || QWidget::eventFilter(watched, event);
    }
    // The window's controls: Return, Enter and Escape answer the window; a held Space ticks once.
    return answerKeyPress(key) || isRepeat(key);
}

void ContentView::keyPressEvent(QKeyEvent* event) {
    // With no control focused the key comes to the window itself.
    if (!answerKeyPress(event)) {
        QWidget::keyPressEvent(event);
    }
}

void ContentView::keyReleaseEvent(QKeyEvent* event) {
    isRepeat(event);
    QWidget::keyReleaseEvent(event);
}

void ContentView::changeEvent(QEvent* event) {
    QWidget::changeEvent(event);
    if (event->type() == QEvent::PaletteChange) {
        m_selectAll->setPalette(withVisibleCheckBoxBorders(palette()));
    }
}

void ContentView::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    if (!m_loaded) {
        m_loaded = true;
        m_session.loadPrinters();
        refreshControls();
    }
}

void ContentView::stateChanged(const kestrow::SelectionState::Change& change) {
    using Kind = kestrow::SelectionState::Change::Kind;
    switch (change.kind) {
    case Kind::Printers:
        m_model->printersReplaced();
        break;
    case Kind::Selection:
        m_model->rowsChanged(change.firstRow, change.endRow);
        break;
    case Kind::Alert:
        // Opened from the event loop, so an alert raised while the window is still being shown
        // comes up over the finished window.
        QTimer::singleShot(0, this, &ContentView::presentAlertIfRaised);
        break;
    }
    refreshControls();
}

void ContentView::refreshControls() {
    const auto& state = m_session.state();
    const bool hasPrinters = !state.printers().empty();
    // Until the list is loaded (when the window appears) there is nothing to choose between.
    if (m_loaded) {
        showMiddleForm(hasPrinters ? MiddleForm::List : MiddleForm::Notice);
    }
    m_selectAll->setEnabled(hasPrinters);
    m_selectAll->setChecked(state.allSelected());
    m_ok->setEnabled(!state.selectionEmpty());
}

void ContentView::showMiddleForm(MiddleForm form) {
    if (form == m_middleForm) {
        return;
    }
    m_middleForm = form;
    if (form == MiddleForm::Notice) {
        m_middle->setCurrentWidget(notice());
        return;
    }
    m_middle->setCurrentWidget(m_list);
    if (isVisible()) {
        m_list->setFocus();
        if (!m_list->currentIndex().isValid()) {
            m_list->setCurrentIndex(m_model->index(0));
        }
    }
}

QWidget* ContentView::notice() {
    if (m_notice == nullptr) {
        m_notice = new QWidget(m_middle);
        auto* layout = new QVBoxLayout(m_notice);
        layout->setContentsMargins(0, 0, 0, 0);
        auto* text = plainLabel(tr("No printers found or file not loaded."), m_notice);
        text->setObjectName(QStringLiteral("notice"));
        const int padding = standardPadding(this);
        text->setContentsMargins(padding, padding, padding, padding);
        layout->addWidget(text, 0, Qt::AlignHCenter);
        layout->addStretch(1);
        m_middle->addWidget(m_notice);
    }
    return m_notice;
}

void ContentView::presentAlertIfRaised() {
    const auto& state = m_session.state();
    // The alert is centred over the window, so it waits until the window has its place: raised
    // while the window is still being shown (a list that cannot be loaded), it would be centred
    // over the window's position before the window manager placed it, the screen's corner.
    if (QWindow* handle = window()->windowHandle(); handle != nullptr && !handle->isExposed()) {
        if (!FirstExposure::watching(handle)) {
            new FirstExposure(handle, [this] { presentAlertIfRaised(); });
        }
        return;
    }
    if (state.showAlert() && (m_alert == nullptr || !m_alert->isVisible())) {
        alert()->setText(alertText(*state.alert()));
        if (auto* label = m_alert->findChild<QLabel*>(QStringLiteral("qt_msgbox_label"))) {
            label->setMinimumWidth(0); // the width of an earlier message's path
        }
        m_alert->open();
        // Once QMessageBox has settled its own size, which it does again after showing.
        QTimer::singleShot(
            0, m_alert, [this, path = QString::fromStdString(state.alert()->path)] { keepPathsWhole(path); });
    }
}

void ContentView::keepPathsWhole(const QString& path) {
    // A path broken at a hyphen reads as two names, and in a right-to-left message its halves land
    // at opposite ends of two lines. QMessageBox wraps a long message at a width of its own, and a
    // line may break inside a path (after a hyphen) even where the path alone would fit. So every
    // line that holds the path must fit whole: the label is given that width as its minimum, which
    // QMessageBox sizes the box by (up to the width it allows, about the screen's less 480 pixels;
    // beyond that it breaks lines anywhere).
    auto* label = m_alert->findChild<QLabel*>(QStringLiteral("qt_msgbox_label"));
    if (label == nullptr || path.isEmpty()) {
        return;
    }
    int widest = 0;
    for (const QString& line : label->text().split(QLatin1Char('\n'))) {
        if (line.contains(path)) {
            // A pixel for rounding between this measure and the label's line layout.
            widest = std::max(widest, label->fontMetrics().horizontalAdvance(line) + 1);
        }
    }
    m_alert->layout()->activate(); // the label as wide as the box that QMessageBox chose
    const int labelWidth = label->contentsRect().width();
    if (widest <= labelWidth) {
        return; // fits as it is; a minimum would also stop a short message from wrapping
    }
    const int screenWidth = m_alert->screen()->availableGeometry().width();
    const int boxLimit = screenWidth <= 1024 ? screenWidth : std::min(screenWidth - 480, 1000);
    label->setMinimumWidth(std::min(widest, boxLimit - (m_alert->width() - labelWidth)));
}
