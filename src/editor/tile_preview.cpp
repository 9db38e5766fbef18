#include "editor/tile_preview.h"

#include <QPainter>

#include "art/cell_renderer.h"
#include "editor/editor_wnd.h"
#include "editor/image_target.h"
#include "editor/main_frame.h"
#include "editor/pane_style.h"

namespace {

constexpr QRgb kRiverGround = qRgb(0, 128, 40);

}  // namespace

CTilePreview::CTilePreview(CMainFrame& frame, CEditorWnd* editor)
    : QFrame(editor), frame(frame), editor(editor) {
    StylePane(*this, Qt::white);
}

void CTilePreview::paintEvent(QPaintEvent* event) {
    QFrame::paintEvent(event);
    QImage image(contentsRect().size(), QImage::Format_RGB32);
    image.fill(editor->riverMode ? kRiverGround : qRgb(255, 255, 255));
    RgbTarget target = TargetOf(image);
    if (editor->riverMode) {
        RiverOverlay piece{static_cast<uint8_t>(editor->currentType),
                           static_cast<uint8_t>(editor->currentSubtype)};
        RenderRiverPiece(piece, kTileSize, target, 0, 0);
    } else {
        RenderCell(frame.art, editor->currentType, editor->currentSubtype, kTileSize, target, 0, 0);
    }
    QPainter(this).drawImage(contentsRect().topLeft(), image);
}
