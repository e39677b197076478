#include "kestrow/ui/printer_list_accessible.h"

#include <QAbstractItemModel>
#include <QCoreApplication>
#include <QLocale>

#include <QWindow>
#include <algorithm>

#include "kestrow/ui/printer_list_view.h"

namespace {

class PrinterRowAccessible final : public QAccessibleInterface, public QAccessibleActionInterface {
public:
    PrinterRowAccessible(PrinterListAccessible* list, int row)
        : m_list(list)
        , m_row(row) {}

    int row() const { return m_row; }

    bool isValid() const override {
        const auto* view = m_list->view();
        return view != nullptr && view->model() != nullptr && m_row < view->model()->rowCount();
    }
    QObject* object() const override { return nullptr; }
    QWindow* window() const override { return m_list->window(); }
    QAccessibleInterface* parent() const override { return m_list; }
    QAccessibleInterface* child(int /*index*/) const override { return nullptr; }
    int childCount() const override { return 0; }
    int indexOfChild(const QAccessibleInterface* /*child*/) const override { return -1; }
    QAccessibleInterface* childAt(int /*x*/, int /*y*/) const override { return nullptr; }

    QString text(QAccessible::Text kind) const override {
        if (!isValid()) {
            return {};
        }
        switch (kind) {
        case QAccessible::Name:
            return index().data(Qt::DisplayRole).toString();
        case QAccessible::Description:
            // Where the row is and how many there are. Orca speaks a position only for list items
            // and table cells, never for a check box, but it reads a check box's description with
            // it (on the focus and on "where am I"); as list items, unticked rows would sound like
            // labels on Qt 6.4, which does not report "checkable".
            //: A row's place in the list of printers, read out by screen readers: %1 is its
            //: number, %2 the number of rows.
            return QCoreApplication::translate("ContentView", "%1 of %2")
                .arg(QLocale().toString(m_row + 1), QLocale().toString(m_list->childCount()));
        default:
            return {};
        }
    }
    void setText(QAccessible::Text /*kind*/, const QString& /*text*/) override {}

    QRect rect() const override {
        if (!isValid()) {
            return {};
        }
        const auto* view = m_list->view();
        const QRect row = view->visualRect(index());
        return {view->viewport()->mapToGlobal(row.topLeft()), row.size()};
    }

    QAccessible::Role role() const override { return QAccessible::CheckBox; }

    QAccessible::State state() const override {
        QAccessible::State state;
        if (!isValid()) {
            state.invalid = true;
            return state;
        }
        const auto* view = m_list->view();
        state.checkable = true;
        state.checked = checked();
        state.focusable = true;
        state.focused = view->hasFocus() && view->currentIndex().row() == m_row;
        state.invisible = !view->isVisible();
        state.offscreen = !view->viewport()->rect().intersects(view->visualRect(index()));
        return state;
    }

    void* interface_cast(QAccessible::InterfaceType type) override {
        return type == QAccessible::ActionInterface ? static_cast<QAccessibleActionInterface*>(this)
                                                    : nullptr;
    }

    QStringList actionNames() const override { return {toggleAction()}; }
    void doAction(const QString& action) override {
        if (action == toggleAction() && isValid()) {
            m_list->view()->model()->setData(index(), checked() ? Qt::Unchecked : Qt::Checked,
                                             Qt::CheckStateRole);
        }
    }
    QStringList keyBindingsForAction(const QString& /*action*/) const override { return {}; }

private:
    QModelIndex index() const { return m_list->view()->model()->index(m_row, 0); }
    bool checked() const { return index().data(Qt::CheckStateRole).value<Qt::CheckState>() == Qt::Checked; }

    PrinterListAccessible* m_list;
    int m_row;
};

} // namespace

PrinterListAccessible::PrinterListAccessible(PrinterListView* view)
    : QAccessibleWidget(view, QAccessible::List) {
    view->setAccessible(this);
}

PrinterListAccessible::~PrinterListAccessible() {
    if (auto* list = view()) {
        list->setAccessible(nullptr);
    }
    forgetRows();
}

PrinterListView* PrinterListAccessible::view() const {
    // Qt deletes this interface when the QWidget part of the list is all that is left of it.
    return qobject_cast<PrinterListView*>(widget());
}

int PrinterListAccessible::childCount() const {
    const auto* list = view();
    return list != nullptr && list->model() != nullptr ? list->model()->rowCount() : 0;
}

QAccessibleInterface* PrinterListAccessible::child(int index) const {
    if (index < 0 || index >= childCount()) {
        return nullptr;
    }
    // Made when first asked for, so that a million rows cost nothing until they are met.
    if (const auto known = m_rows.find(index); known != m_rows.end()) {
        if (auto* row = QAccessible::accessibleInterface(known->second)) {
            return row;
        }
    }
    auto* row = new PrinterRowAccessible(const_cast<PrinterListAccessible*>(this), index);
    m_rows.insert_or_assign(index, QAccessible::registerAccessibleInterface(row));
    return row;
}

int PrinterListAccessible::indexOfChild(const QAccessibleInterface* child) const {
    if (child == nullptr || child->parent() != this) {
        return -1;
    }
    return static_cast<const PrinterRowAccessible*>(child)->row();
}

QAccessibleInterface* PrinterListAccessible::childAt(int x, int y) const {
    const auto* list = view();
    if (list == nullptr) {
        return nullptr;
    }
    const QPoint point = list->viewport()->mapFromGlobal(QPoint(x, y));
    if (!list->viewport()->rect().contains(point)) {
        return nullptr; // over the frame or the scroll bar
    }
    const QModelIndex index = list->indexAt(point);
    return index.isValid() ? child(index.row()) : nullptr;
}

QAccessibleInterface* PrinterListAccessible::focusChild() const {
    const auto* list = view();
    if (list == nullptr || !list->hasFocus() || !list->currentIndex().isValid()) {
        return nullptr;
    }
    return child(list->currentIndex().row());
}

void PrinterListAccessible::announceCheckedStates(int firstRow, int lastRow) {
    auto* list = view();
    if (list == nullptr || m_rows.empty()) {
        return;
    }
    // Only the rows on screen: a Select All over a million rows met would otherwise send as many
    // messages. A row scrolled to later is read afresh.
    const QModelIndex firstShown = list->indexAt(QPoint(0, 0));
    const QModelIndex lastShown = list->indexAt(QPoint(0, list->viewport()->height() - 1));
    const int first = std::max(firstRow, firstShown.isValid() ? firstShown.row() : 0);
    const int last = std::min(lastRow, lastShown.isValid() ? lastShown.row() : childCount() - 1);
    for (int row = first; row <= last; ++row) {
        if (m_rows.contains(row)) {
            QAccessible::State changed;
            changed.checked = true;
            QAccessibleStateChangeEvent event(list, changed);
            event.setChild(row);
            QAccessible::updateAccessibility(&event);
        }
    }
}

void PrinterListAccessible::forgetRows() {
    const auto rows = std::exchange(m_rows, {});
    for (const auto& entry : rows) {
        QAccessible::deleteAccessibleInterface(entry.second);
    }
}

QAccessibleInterface* kestrowAccessibleInterface(const QString& className, QObject* object) {
    if (className == QLatin1String("PrinterListView")) {
        return new PrinterListAccessible(static_cast<PrinterListView*>(object));
    }
    // A plain top-level QWidget reads as a "filler" to screen readers. To the user the window is a
    // dialog, and Orca reads a dialog's heading (its loose labels) when the window opens.
    if (className == QLatin1String("ContentView") && static_cast<QWidget*>(object)->isWindow()) {
        return new QAccessibleWidget(static_cast<QWidget*>(object), QAccessible::Dialog);
    }
    // The stack that holds the list or the notice (the window's only one) only lays them out: as a
    // "filler" a screen reader passes over it; Qt's own "layered pane" is announced on every way into
    // the list. Not told apart by its object name: Qt 6.8 asks for its interface while the stack is
    // still being constructed, before it has one.
    if (className == QLatin1String("QStackedWidget")) {
        return new QAccessibleWidget(static_cast<QWidget*>(object), QAccessible::Client);
    }
    return nullptr;
}
