#include "kestrow/ui/row_toggle_delegate.h"

#include <algorithm>

#include <QAbstractItemView>
#include <QHelpEvent>
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
                       widget, row.rect);
    return true;
}

QSize RowToggleDelegate::sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const {
    // No width of its own: the list stretches every row to the width it shows, so a long name is
    // elided (and whole in its tooltip) instead of every row growing as wide as the longest name
    // under a sideways scroll bar, and a resize needs no new layout.
    return {1, QStyledItemDelegate::sizeHint(option, index).height()};
}

namespace {

// By code point: right-to-left scripts beyond the first plane (Adlam, Kharoshthi, ...) count too.
bool hasRightToLeftLetters(QStringView text) {
    const auto points = text.toUcs4();
    return std::any_of(points.begin(), points.end(), [](char32_t c) {
        const auto direction = QChar::direction(c);
        return direction == QChar::DirR || direction == QChar::DirAL;
    });
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
