#include "kestrow/ui/printer_list_model.h"

#include <QBrush>

#include "kestrow/ui/name_text.h"

PrinterListModel::PrinterListModel(kestrow::SelectionState& state, QObject* parent)
    : QAbstractListModel(parent)
    , m_state(state) {}

int PrinterListModel::rowCount(const QModelIndex& parent) const {
    if (parent.isValid()) {
        return 0;
    }
    return static_cast<int>(m_state.printers().size());
}

QVariant PrinterListModel::data(const QModelIndex& index, int role) const {
    if (!checkIndex(index, CheckIndexOption::IndexIsValid | CheckIndexOption::ParentIsInvalid)) {
        return {};
    }
    const auto row = static_cast<std::size_t>(index.row());
    // No ToolTipRole: a view would take a name for rich text. The delegate shows an elided name.
    switch (role) {
    case Qt::DisplayRole:
        return nameText(m_state.printers()[row]); // verbatim
    case Qt::CheckStateRole:
        return m_state.isSelected(row) ? Qt::Checked : Qt::Unchecked;
    case Qt::BackgroundRole:
        return m_state.isSelected(row) ? QVariant(QBrush(highlightColor)) : QVariant();
    default:
        return {};
    }
}

bool PrinterListModel::setData(const QModelIndex& index, const QVariant& value, int role) {
    if (role != Qt::CheckStateRole ||
        !checkIndex(index, CheckIndexOption::IndexIsValid | CheckIndexOption::ParentIsInvalid)) {
        return false;
    }
    m_state.setSelected(static_cast<std::size_t>(index.row()), value.value<Qt::CheckState>() == Qt::Checked);
    return true;
}

Qt::ItemFlags PrinterListModel::flags(const QModelIndex& index) const {
    if (!index.isValid()) {
        return Qt::NoItemFlags;
    }
    return Qt::ItemIsEnabled | Qt::ItemIsUserCheckable | Qt::ItemNeverHasChildren;
}

void PrinterListModel::printersReplaced() {
    beginResetModel();
    endResetModel();
}

void PrinterListModel::rowsChanged(std::size_t firstRow, std::size_t endRow) {
    if (firstRow < endRow) {
        Q_EMIT dataChanged(index(static_cast<int>(firstRow)), index(static_cast<int>(endRow - 1)),
                           {Qt::CheckStateRole, Qt::BackgroundRole});
    }
}
