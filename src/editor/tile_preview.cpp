#include "editor/tile_preview.h"

#include <QPainter>

#include "art/cell_renderer.h"
#include "editor/image_target.h"
#include "editor/pane_style.h"
#include "editor/tool_choice.h"

namespace {

constexpr QRgb kRiverGround = qRgb(0, 128, 40);

}  // namespace

CTilePreview::CTilePreview(const CToolChoice& choice, const CMapArt& art, QWidget* parent)
    : QFrame(parent), choice(choice), art(art) {
    StylePane(*this, Qt::white);
    connect(&choice, &CToolChoice::changed, this, qOverload<>(&QWidget::update));
}

void CTilePreview::paintEvent(QPaintEvent* event) {
    QFrame::paintEvent(event);
    QImage image(contentsRect().size(), QImage::Format_RGB32);
    image.fill(choice.IsRiver() ? kRiverGround : qRgb(255, 255, 255));
    RgbTarget target = TargetOf(image);
    if (choice.IsRiver()) {
        RiverOverlay piece{static_cast<uint8_t>(choice.Type()),
                           static_cast<uint8_t>(choice.Cell())};
        RenderRiverPiece(piece, kTileSize, target, 0, 0);
    } else {
        RenderCell(art, choice.Type(), choice.Cell(), kTileSize, target, 0, 0);
    }
    QPainter(this).drawImage(contentsRect().topLeft(), image);
}
