#include "editor/dialogs/tab_stop_delegate.h"

#include <QApplication>
#include <QPainter>
#include <algorithm>
#include <utility>

CTabStopDelegate::CTabStopDelegate(QVector<int> stops, QObject* parent)
    : QStyledItemDelegate(parent), stops(std::move(stops)) {}

int CTabStopDelegate::NextStop(int x) const {
    for (int stop : stops) {
        if (stop > x) {
            return stop;
        }
    }
    int last = stops.isEmpty() ? 0 : stops.back();
    int spacing = stops.size() > 1 ? last - stops[stops.size() - 2] : 40;
    spacing = std::max(spacing, 1);
    return last + ((x - last) / spacing + 1) * spacing;
}

QVector<int> CTabStopDelegate::FieldPositions(const QFontMetrics& metrics,
                                              const QStringList& fields) const {
    QVector<int> positions;
    int x = 0;
    for (const QString& field : fields) {
        if (!positions.isEmpty()) {
            x = NextStop(x);
        }
        positions.push_back(x);
        x += metrics.horizontalAdvance(field);
    }
    return positions;
}

void CTabStopDelegate::paint(QPainter* painter, const QStyleOptionViewItem& option,
                             const QModelIndex& index) const {
    QStyleOptionViewItem item = option;
    initStyleOption(&item, index);
    const QStringList fields = item.text.split('\t');
    item.text.clear();
    const QWidget* widget = item.widget;
    QStyle* style = widget ? widget->style() : QApplication::style();
    style->drawControl(QStyle::CE_ItemViewItem, &item, painter, widget);

    QRect textRect = style->subElementRect(QStyle::SE_ItemViewItemText, &item, widget);
    bool selected = item.state & QStyle::State_Selected;
    QPalette::ColorGroup group =
        item.state & QStyle::State_Enabled ? QPalette::Normal : QPalette::Disabled;
    painter->save();
    painter->setPen(
        item.palette.color(group, selected ? QPalette::HighlightedText : QPalette::Text));
    painter->setFont(item.font);
    const QVector<int> positions = FieldPositions(item.fontMetrics, fields);
    for (int i = 0; i < fields.size(); ++i) {
        painter->drawText(textRect.adjusted(positions[i], 0, 0, 0),
                          Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine, fields[i]);
    }
    painter->restore();
}

QSize CTabStopDelegate::sizeHint(const QStyleOptionViewItem& option,
                                 const QModelIndex& index) const {
    QStyleOptionViewItem item = option;
    initStyleOption(&item, index);
    const QStringList fields = item.text.split('\t');
    QSize size = QStyledItemDelegate::sizeHint(option, index);
    int width = FieldPositions(item.fontMetrics, fields).back() +
                item.fontMetrics.horizontalAdvance(fields.back());
    // The plain hint measured the tabs as the style does; what counts is the width in columns.
    size.setWidth(width + 2 * item.fontMetrics.averageCharWidth());
    return size;
}
