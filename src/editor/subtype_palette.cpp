#include "editor/subtype_palette.h"

#include <QMouseEvent>
#include <QPainter>

#include "art/cell_renderer.h"
#include "editor/choice_frame.h"
#include "editor/image_target.h"
#include "editor/pane_style.h"
#include "editor/tool_choice.h"

namespace {

constexpr int kCell = kSmallTileSize;
constexpr QRgb kRiverGround = qRgb(0, 128, 40);
constexpr QRgb kInsideStamp = qRgb(0, 0, 0);
constexpr QRgb kBetweenStamps = qRgb(255, 255, 255);

// The pen of the line between cells a and b: inside one stamp black, else white; black for all
// lines of a type without stamps.
QRgb LineColor(const StampGroupRow* stamps, int a, int b) {
    if (stamps == nullptr) {
        return kInsideStamp;
    }
    return (*stamps)[a] != 0 && (*stamps)[a] == (*stamps)[b] ? kInsideStamp : kBetweenStamps;
}

void SetPixel(QImage& image, int x, int y, QRgb color) {
    if (image.rect().contains(x, y)) {
        reinterpret_cast<QRgb*>(image.scanLine(y))[x] = color;
    }
}

}  // namespace

CSubtypePalette::CSubtypePalette(CToolChoice& choice, const CMapArt& art, QWidget* parent)
    : QFrame(parent), choice(choice), art(art) {
    StylePane(*this, Qt::white);
    connect(&choice, &CToolChoice::changed, this, qOverload<>(&QWidget::update));
}

void CSubtypePalette::paintEvent(QPaintEvent* event) {
    QFrame::paintEvent(event);
    int type = choice.Type();
    QImage image(contentsRect().size(), QImage::Format_RGB32);
    image.fill(choice.IsRiver() ? kRiverGround : qRgb(255, 255, 255));
    RgbTarget target = TargetOf(image);
    int count = choice.CellCount();
    const StampGroupRow* stamps = choice.StampTable();

    for (int row = 0; row < kSheetColumns; ++row) {
        for (int column = 0; column < kSheetColumns; ++column) {
            int i = row * kSheetColumns + column;
            int x = column * kCell;
            int y = row * kCell;
            if (i < count) {
                if (choice.IsRiver()) {
                    RiverOverlay piece{static_cast<uint8_t>(type), static_cast<uint8_t>(i)};
                    RenderRiverPiece(piece, kCell, target, x, y);
                } else {
                    RenderCell(art, type, i, kCell, target, x, y);
                }
            }
            if (column > 0) {
                for (int k = 0; k < kCell; ++k) {
                    SetPixel(image, x, y + k, LineColor(stamps, i - 1, i));
                }
            }
        }
        // The row's top edges go over the ends of the lines between its cells.
        if (row > 0) {
            for (int i = row * kSheetColumns; i < (row + 1) * kSheetColumns; ++i) {
                for (int k = 0; k < kCell; ++k) {
                    SetPixel(image, i % kSheetColumns * kCell + k, row * kCell,
                             LineColor(stamps, i - kSheetColumns, i));
                }
            }
        }
    }
    int chosen = choice.Cell();
    if (chosen >= 0 && chosen < count) {
        DrawChoiceFrame(image, QRect(chosen % kSheetColumns * kCell, chosen / kSheetColumns * kCell,
                                     kCell, kCell));
    }
    QPainter(this).drawImage(contentsRect().topLeft(), image);
}

void CSubtypePalette::mousePressEvent(QMouseEvent* event) {
    QPoint pos = event->position().toPoint();
    if (event->button() != Qt::LeftButton || !contentsRect().contains(pos)) {
        return;
    }
    pos -= contentsRect().topLeft();
    int i = pos.y() / kCell * kSheetColumns + pos.x() / kCell;
    if (i < choice.CellCount()) {
        choice.SelectCell(i);
    }
}
