#include "editor/dialogs/map_preview.h"

#include <QLabel>
#include <QVBoxLayout>

#include "editor/dib_picture.h"
#include "generate/map_generator.h"
#include "interchange/bitmap_interchange.h"
#include "transitions/terrain_families.h"

CMapPreview::CMapPreview(QWidget* parent)
    : QWidget(parent), picture(new QLabel(this)), landShare(new QLabel(this)) {
    picture->setObjectName("preview");
    picture->setFixedSize(kMaxMapWidth + 2, kMaxMapHeight + 2);
    picture->setAlignment(Qt::AlignCenter);
    picture->setFrameShape(QFrame::Box);
    picture->setWordWrap(true);
    landShare->setObjectName("landShareShown");
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(picture);
    layout->addWidget(landShare);
    layout->addStretch();
}

void CMapPreview::Show(const CHeightField& heights, const GenerationOptions& options) {
    if (!GenerateMap(heights, options, map)) {
        ShowProblem("Out of memory");
        return;
    }
    const CTileGrid& grid = map.grid;
    picture->setPixmap(QPixmap::fromImage(
        PicturePart(map.overview, QRect(0, 0, grid.GetWidth(), grid.GetHeight()))));
    const size_t tiles = static_cast<size_t>(grid.GetWidth()) * grid.GetHeight();
    size_t land = 0;
    for (size_t i = 0; i < tiles; ++i) {
        land += !IsWaterType(grid.Tiles()[i].type);
    }
    landShare->setText(QString("Land: %1 % of the tiles").arg(100.0 * land / tiles, 0, 'f', 1));
}

void CMapPreview::ShowProblem(const QString& text) {
    map.Clear();
    picture->setPixmap(QPixmap());
    picture->setText(text);
    landShare->clear();
}
