#include "ui/elidedtips.h"

#include <QAbstractItemView>
#include <QHelpEvent>
#include <QStyledItemDelegate>
#include <QToolTip>

namespace corvane::ui {

namespace {

class CutTextDelegate final : public QStyledItemDelegate {
public:
    using QStyledItemDelegate::QStyledItemDelegate;

    bool helpEvent(QHelpEvent* event, QAbstractItemView* view, const QStyleOptionViewItem& option,
                   const QModelIndex& index) override {
        if (event->type() != QEvent::ToolTip || !index.isValid() || !view)
            return QStyledItemDelegate::helpEvent(event, view, option, index);
        QStyleOptionViewItem item = option;
        initStyleOption(&item, index);
        const QStyle* style = item.widget ? item.widget->style() : view->style();
        const QRect text = style->subElementRect(QStyle::SE_ItemViewItemText, &item, item.widget);
        // The text as drawn: with the margins the style keeps on both sides of it.
        const int margin = style->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, item.widget) + 1;
        if (item.text.isEmpty() || item.fontMetrics.horizontalAdvance(item.text) <= text.width() - 2 * margin)
            return QStyledItemDelegate::helpEvent(event, view, option, index);
        QToolTip::showText(event->globalPos(), item.text, view->viewport(), option.rect);
        return true;
    }
};

} // namespace

void ShowCutTextInTooltips(QAbstractItemView* view) {
    view->setItemDelegate(new CutTextDelegate(view));
}

} // namespace corvane::ui
