#pragma once

#include <QStyledItemDelegate>

// Makes the whole row the click target of its check box, as users expect of a check list; the
// stock delegate toggles only on the small indicator.
class RowToggleDelegate final : public QStyledItemDelegate {
    Q_OBJECT

public:
    using QStyledItemDelegate::QStyledItemDelegate;

    bool editorEvent(QEvent* event, QAbstractItemModel* model, const QStyleOptionViewItem& option,
                     const QModelIndex& index) override;
};
