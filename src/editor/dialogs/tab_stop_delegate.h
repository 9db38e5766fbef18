#pragma once

#include <QStyledItemDelegate>
#include <QVector>

// Draws an item's tab-separated text in columns: each field after a tab starts at the first tab
// stop right of the text before it. Beyond the last stop the stops repeat at the last spacing.
class CTabStopDelegate : public QStyledItemDelegate {
  public:
    // Stops in pixels from the text's left edge, ascending.
    CTabStopDelegate(QVector<int> stops, QObject* parent);

    void paint(QPainter* painter, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override;
    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override;

  private:
    // The left edge of every field, for fields of these widths.
    QVector<int> FieldPositions(const QFontMetrics& metrics, const QStringList& fields) const;
    int NextStop(int x) const;

    QVector<int> stops;
};
