#include "kestrow/ui/row_toggle_delegate.h"

#include <algorithm>

#include <QAbstractItemView>
#include <QHelpEvent>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QToolTip>

#include "kestrow/ui/check_box_contrast.h"

bool RowToggleDelegate::editorEvent(QEvent* event, QAbstractItemModel* model,
                                    const QStyleOptionViewItem& option, const QModelIndex& index) {
    switch (event->type()) {
    case QEvent::MouseButtonPress:
        // Swallowed: the row toggles when the button is released over it.
        return static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton;
    case QEvent::MouseButtonDblClick:
        // The second click of a quick pair arrives as this, and its release never reaches the
        // delegate: it toggles here, so that two clicks are two toggles.
    case QEvent::MouseButtonRelease: {
        const auto* mouse = static_cast<QMouseEvent*>(event);
        if (mouse->button() != Qt::LeftButton || !option.rect.contains(mouse->position().toPoint())) {
            return false;
        }
        const bool checked = index.data(Qt::CheckStateRole).value<Qt::CheckState>() == Qt::Checked;
        return model->setData(index, checked ? Qt::Unchecked : Qt::Checked, Qt::CheckStateRole);
    }
    case QEvent::KeyPress: {
        // One press of Space is one toggle, however long the key is held.
        const auto* key = static_cast<QKeyEvent*>(event);
        if (key->isAutoRepeat() && (key->key() == Qt::Key_Space || key->key() == Qt::Key_Select)) {
            return true;
        }
        return QStyledItemDelegate::editorEvent(event, model, option, index);
    }
    default:
        return QStyledItemDelegate::editorEvent(event, model, option, index);
    }
}

bool RowToggleDelegate::helpEvent(QHelpEvent* event, QAbstractItemView* view,
                                  const QStyleOptionViewItem& option, const QModelIndex& index) {
    if (event->type() != QEvent::ToolTip) {
        return QStyledItemDelegate::helpEvent(event, view, option, index);
    }
    if (!index.isValid()) { // below the last row
        QToolTip::hideText();
        return false;
    }
    QStyleOptionViewItem row = option;
    initStyleOption(&row, index);
    QWidget* widget = view->viewport();
    row.rect &= widget->rect(); // what is on screen of the row
    const QRect textRect = widget->style()->subElementRect(QStyle::SE_ItemViewItemText, &row, widget);
    const int margins = 2 * (widget->style()->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, widget) + 1);
    if (row.fontMetrics.horizontalAdvance(row.text) <= textRect.width() - margins) {
        QToolTip::hideText(); // the whole name is on screen already
        return true;
    }
    // A tooltip takes anything that looks like markup for rich text: a name such as <img src=...>
    // would make Qt load a file. Escaped, with its spaces kept, it shows exactly as listed.
    const QString name = index.data(Qt::DisplayRole).toString();
    QToolTip::showText(event->globalPos(),
                       QStringLiteral("<p style='white-space:pre'>") + name.toHtmlEscaped() +
                           QStringLiteral("</p>"),
                       view, view->visualRect(index));
    return true;
}

QSize RowToggleDelegate::sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const {
    // No width of its own: the list stretches every row to the width it shows, so a long name is
    // elided (and whole in its tooltip) instead of every row growing as wide as the longest name
    // under a sideways scroll bar, and a resize needs no new layout.
    return {1, QStyledItemDelegate::sizeHint(option, index).height()};
}

namespace {

bool hasRightToLeftLetters(const QString& text) {
    return std::any_of(text.begin(), text.end(),
                       [](QChar c) { return c.direction() == QChar::DirR || c.direction() == QChar::DirAL; });
}

} // namespace

void RowToggleDelegate::initStyleOption(QStyleOptionViewItem* option, const QModelIndex& index) const {
    QStyledItemDelegate::initStyleOption(option, index);
    option->palette = withVisibleCheckBoxBorders(option->palette);
    // A first-strong isolate gives a name its own direction: a Latin name stays left to right in a
    // right-to-left window, a Hebrew one right to left in a left-to-right window, and trailing
    // punctuation stays where it was typed. Left-to-right text in a left-to-right window needs
    // none, and is spared the font look-up of the isolate marks.
    if (option->direction == Qt::RightToLeft || hasRightToLeftLetters(option->text)) {
        option->text = QChar(0x2068) + option->text + QChar(0x2069);
    }
}
