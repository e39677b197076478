#pragma once

#include <QStyledItemDelegate>

// Draws and handles one printer row: the whole row is the click target of its check box, as users
// expect of a check list (the stock delegate toggles only on the small indicator); a name keeps
// its own writing direction; and a name that does not fit shows whole in a tooltip.
class RowToggleDelegate final : public QStyledItemDelegate {
    Q_OBJECT

public:
    using QStyledItemDelegate::QStyledItemDelegate;

    bool editorEvent(QEvent* event, QAbstractItemModel* model, const QStyleOptionViewItem& option,
                     const QModelIndex& index) override;
    bool helpEvent(QHelpEvent* event, QAbstractItemView* view, const QStyleOptionViewItem& option,
                   const QModelIndex& index) override;
    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override;

protected:
    void initStyleOption(QStyleOptionViewItem* option, const QModelIndex& index) const override;
};
