#include "editor/type_palette.h"

#include <QHelpEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QToolTip>
#include <algorithm>
#include <array>

#include "art/cell_renderer.h"
#include "art/map_art.h"
#include "editor/choice_frame.h"
#include "editor/image_target.h"
#include "editor/pane_style.h"
#include "editor/tool_choice.h"
#include "model/terrain_names.h"
#include "model/terrain_type.h"

namespace {

constexpr int kCell = kSmallTileSize;
constexpr int kColumns = 9;

// The entry of each cell, nine a row: Suburb to Med Mountain; High Mountain to Desert-Ocean,
// Custom Rivers, Grass-Ocean B; Grass-Ocean C, Mountain Trans, Custom 1 to 7; Custom 8 to 16;
// the two river kinds. The cells after them are empty. Types 0, 1 and the old river terrains
// 18 to 21 are not offered.
constexpr std::array<int, 38> kEntries = {
    2,  3,  4,  5,  6,  7,  8,  9,  10, 11, 12, 13, 14, 15, 16, 17, 22, 23, 24,
    25, 26, 27, 28, 29, 30, 31, 32, 33, 34, 35, 36, 37, 38, 39, 40, 41, 42, 43,
};

// The river pieces that stand for the two kinds.
constexpr RiverOverlay kWideSample{kWideRiver, 1};
constexpr RiverOverlay kNarrowSample{kNarrowRiver, 4};

int EntryOf(int cell) {
    return cell >= 0 && cell < static_cast<int>(kEntries.size()) ? kEntries[cell] : -1;
}

}  // namespace

CTypePalette::CTypePalette(CToolChoice& choice, const CMapArt& art, QWidget* parent)
    : QFrame(parent), choice(choice), art(art) {
    StylePane(*this, kPaneGrey);
    connect(&choice, &CToolChoice::changed, this, qOverload<>(&QWidget::update));
}

int CTypePalette::CellAt(const QPoint& pos) const {
    if (!contentsRect().contains(pos)) {
        return -1;
    }
    QPoint p = pos - contentsRect().topLeft();
    return p.y() / kCell * kColumns + p.x() / kCell;
}

int CTypePalette::EntryAt(const QPoint& pos) const {
    return EntryOf(CellAt(pos));
}

QString CTypePalette::ToolTipAt(const QPoint& pos) const {
    int entry = EntryAt(pos);
    return entry < 0 ? QString() : QString::fromUtf8(TerrainDisplayName(entry));
}

bool CTypePalette::event(QEvent* event) {
    if (event->type() != QEvent::ToolTip) {
        return QFrame::event(event);
    }
    auto* help = static_cast<QHelpEvent*>(event);
    QString text = ToolTipAt(help->pos());
    if (text.isEmpty()) {
        QToolTip::hideText();
        event->ignore();
        return true;
    }
    // The text goes as soon as the pointer leaves the cell.
    int cell = CellAt(help->pos());
    QRect area(contentsRect().topLeft() + QPoint(cell % kColumns, cell / kColumns) * kCell,
               QSize(kCell, kCell));
    QToolTip::showText(help->globalPos(), text, this, area);
    return true;
}

void CTypePalette::paintEvent(QPaintEvent* event) {
    QFrame::paintEvent(event);
    QImage image(contentsRect().size(), QImage::Format_RGB32);
    image.fill(kPaneGrey);
    RgbTarget target = TargetOf(image);
    for (int cell = 0; cell < static_cast<int>(kEntries.size()); ++cell) {
        int x = cell % kColumns * kCell;
        int y = cell / kColumns * kCell;
        int entry = kEntries[cell];
        if (entry == TERRAIN_WIDE_RIVERS || entry == TERRAIN_NARROW_RIVERS) {
            RenderRiverPiece(entry == TERRAIN_WIDE_RIVERS ? kWideSample : kNarrowSample, kCell,
                             target, x, y);
        } else if (!IsCustomType(entry) || art.CustomArtFor(entry)->loaded) {
            RenderCell(art, entry, 0, kCell, target, x, y);
        }
    }
    int chosen = choice.IsRiver() ? TERRAIN_WIDE_RIVERS + choice.Type() : choice.Type();
    auto entry = std::find(kEntries.begin(), kEntries.end(), chosen);
    if (entry != kEntries.end()) {
        int cell = static_cast<int>(entry - kEntries.begin());
        DrawChoiceFrame(image,
                        QRect(cell % kColumns * kCell, cell / kColumns * kCell, kCell, kCell));
    }
    QPainter(this).drawImage(contentsRect().topLeft(), image);
}

void CTypePalette::mousePressEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton) {
        return;
    }
    int entry = EntryAt(event->position().toPoint());
    if (entry < 0) {
        return;
    }
    if (entry == TERRAIN_WIDE_RIVERS || entry == TERRAIN_NARROW_RIVERS) {
        choice.SelectRiver(entry - TERRAIN_WIDE_RIVERS);
    } else if (!IsCustomType(entry) || art.CustomArtFor(entry)->loaded) {
        choice.SelectType(entry);
    }
}
