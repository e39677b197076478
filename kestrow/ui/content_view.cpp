#include "content_view.h"

#include <QAccessible>
#include <QCheckBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QListView>
#include <QMessageBox>
#include <QPushButton>
#include <QShortcut>
#include <QStackedWidget>
#include <QTimer>
#include <QVBoxLayout>

#include "printer_list_model.h"
#include "row_toggle_delegate.h"
#include "row_toggle_selection_model.h"

namespace {

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

} // namespace

ContentView::ContentView(kestrow::ExchangePaths paths, kestrow::SessionHooks hooks, QWidget* parent)
    : QWidget(parent)
    , m_session(std::move(paths), std::move(hooks)) {
    m_model = new PrinterListModel(m_session.state(), this);
    buildLayout();
    connectControls();
    m_session.state().setChangeListener(
        [this](kestrow::SelectionState::Change change) { stateChanged(change); });
    setMinimumSize(minimumContentSize);
    refreshControls();
}

ContentView::~ContentView() {
    m_session.state().setChangeListener({});
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

    m_list = new QListView(this);
    m_list->setObjectName(QStringLiteral("printerList"));
    m_list->setAccessibleName(tr("Printers"));
    m_list->setModel(m_model);
    m_list->setItemDelegate(new RowToggleDelegate(m_list));
    // Uniform rows let the view lay out a million names without measuring each one.
    m_list->setUniformItemSizes(true);
    // A selection mode that lets assistive technology act on a row, with a selection model that
    // turns that action into the row's toggle and never selects.
    m_list->setSelectionMode(QAbstractItemView::MultiSelection);
    auto* previousSelectionModel = m_list->selectionModel();
    m_list->setSelectionModel(new RowToggleSelectionModel(m_model, m_list));
    delete previousSelectionModel;
    m_list->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_list->setTextElideMode(Qt::ElideRight);
    m_list->setMinimumHeight(minimumListHeight);
    m_list->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);

    m_notice = new QWidget(this);
    auto* noticeLayout = new QVBoxLayout(m_notice);
    noticeLayout->setContentsMargins(0, 0, 0, 0);
    auto* noticeText = plainLabel(tr("No printers found or file not loaded."), m_notice);
    noticeText->setObjectName(QStringLiteral("notice"));
    const int padding = standardPadding(this);
    noticeText->setContentsMargins(padding, padding, padding, padding);
    noticeLayout->addWidget(noticeText, 0, Qt::AlignHCenter);
    noticeLayout->addStretch(1);

    m_middle = new QStackedWidget(this);
    m_middle->addWidget(m_list);
    m_middle->addWidget(m_notice);
    root->addWidget(m_middle, 1);

    auto* bar = new QHBoxLayout;
    bar->setContentsMargins(padding, padding, padding, padding);
    m_selectAll = new QCheckBox(tr("Select All"), this);
    m_selectAll->setObjectName(QStringLiteral("selectAll"));
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

    m_alert = new QMessageBox(this);
    m_alert->setObjectName(QStringLiteral("alert"));
    m_alert->setWindowTitle(tr("Printer Selection"));
    m_alert->setTextFormat(Qt::PlainText);
    m_alert->setWindowModality(Qt::WindowModal);
    auto* alertOk = m_alert->addButton(tr("OK"), QMessageBox::AcceptRole);
    m_alert->setDefaultButton(alertOk);
    m_alert->setEscapeButton(alertOk);
}

void ContentView::connectControls() {
    connect(m_selectAll, &QCheckBox::clicked, this,
            [this](bool checked) { m_session.state().setAllSelected(checked); });
    connect(m_cancel, &QPushButton::clicked, this, [this] { m_session.handleCancel(); });
    connect(m_ok, &QPushButton::clicked, this, [this] { m_session.handleOK(); });
    connect(m_alert, &QMessageBox::finished, this, [this] {
        m_session.state().dismissAlert();
        // Hand the keyboard back to the window, also where no window manager does it.
        activateWindow();
    });

    // Window-wide, so Return and Escape work whatever has the focus; each acts only while its
    // button is enabled, exactly like a click.
    const auto clickIfEnabled = [](QPushButton* button) {
        return [button] {
            if (button->isEnabled()) {
                button->click();
            }
        };
    };
    for (const auto key : {Qt::Key_Return, Qt::Key_Enter}) {
        connect(new QShortcut(QKeySequence(key), this), &QShortcut::activated, this, clickIfEnabled(m_ok));
    }
    connect(new QShortcut(QKeySequence::Cancel, this), &QShortcut::activated, this, clickIfEnabled(m_cancel));
}

void ContentView::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    if (!m_loaded) {
        m_loaded = true;
        m_session.loadPrinters();
    }
}

void ContentView::stateChanged(kestrow::SelectionState::Change change) {
    switch (change) {
    case kestrow::SelectionState::Change::Printers:
        m_model->printersReplaced();
        break;
    case kestrow::SelectionState::Change::Selection:
        // QListView (Qt 6.4) lays out every row again on any dataChanged, about 20 ms at a
        // million rows; a repaint of the visible rows is all the check marks need. Assistive
        // technology still hears of the change, at that cost, while it listens.
        if (QAccessible::isActive()) {
            m_model->selectionChanged();
        } else {
            m_list->viewport()->update();
        }
        break;
    case kestrow::SelectionState::Change::Alert:
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
    const bool listWasShown = m_middle->currentWidget() == m_list;
    m_middle->setCurrentWidget(hasPrinters ? m_list : m_notice);
    if (hasPrinters && !listWasShown && isVisible()) {
        m_list->setFocus();
        if (!m_list->currentIndex().isValid()) {
            m_list->setCurrentIndex(m_model->index(0));
        }
    }
    m_selectAll->setEnabled(hasPrinters);
    m_selectAll->setChecked(state.allSelected());
    m_ok->setEnabled(!state.selectionEmpty());
}

void ContentView::presentAlertIfRaised() {
    const auto& state = m_session.state();
    if (state.showAlert() && !m_alert->isVisible()) {
        // Set here rather than up front: the icon theme lookup is a quarter of the start-up work.
        m_alert->setIcon(QMessageBox::Warning);
        m_alert->setText(QString::fromStdString(state.alertMessage()));
        m_alert->open();
    }
}
