#include "editor/dialogs/heightmap_dialog.h"

#include <QApplication>
#include <QCheckBox>
#include <QFileInfo>
#include <QFormLayout>
#include <QLabel>
#include <QSpinBox>
#include <numeric>

#include "editor/dialogs/generation_options_box.h"
#include "editor/dialogs/map_preview.h"
#include "generate/height_picture.h"
#include "generate/terrain_levels.h"
#include "interchange/bitmap_interchange.h"
#include "platform/user_interaction.h"

namespace {

QString Proportions(int width, int height) {
    const int common = std::gcd(width, height);
    return QString("%1 × %2 (%3:%4)")
        .arg(width)
        .arg(height)
        .arg(width / common)
        .arg(height / common);
}

}  // namespace

CHeightmapDialog::CHeightmapDialog(const std::string& path, int pictureWidth, int pictureHeight,
                                   QWidget* parent)
    : CGenerationDialog("New from Heightmap", true, parent),
      path(path),
      crop(new QCheckBox("&Crop to the map's proportions instead of stretching", this)) {
    int fittedWidth = 0;
    int fittedHeight = 0;
    FittedMapSize(pictureWidth, pictureHeight, fittedWidth, fittedHeight);
    width = SizeBox("width", kMaxMapWidth, fittedWidth);
    height = SizeBox("height", kMaxMapHeight, fittedHeight);
    crop->setObjectName("crop");
    connect(crop, &QCheckBox::toggled, this, &CHeightmapDialog::UpdateLater);
    auto* mapShape = new QLabel(this);
    auto showShape = [this, mapShape] {
        mapShape->setText("Map: " + Proportions(width->value(), height->value()) + " tiles");
    };
    showShape();
    connect(width, &QSpinBox::valueChanged, this, showShape);
    connect(height, &QSpinBox::valueChanged, this, showShape);

    auto* form = new QFormLayout;
    form->addRow("Picture:", new QLabel(QFileInfo(QString::fromStdString(path)).fileName() + ", " +
                                            Proportions(pictureWidth, pictureHeight) + " pixels",
                                        this));
    form->addRow("&Width:", width);
    form->addRow("&Height:", height);
    form->addRow(mapShape);
    form->addRow(crop);
    LayOut(form);
    UpdatePreview();
}

bool CHeightmapDialog::ReadHeights() {
    if (heights.Width() == width->value() && heights.Height() == height->value() &&
        cropped == crop->isChecked()) {
        return true;
    }
    QApplication::setOverrideCursor(Qt::WaitCursor);
    CHeightField read;
    const bool ok = ReadHeightPicture(path, width->value(), height->value(), crop->isChecked(),
                                      read, readProblem);
    QApplication::restoreOverrideCursor();
    if (!ok) {
        heights = CHeightField();
        return false;
    }
    heights = std::move(read);
    cropped = crop->isChecked();
    readProblem.clear();
    return true;
}

void CHeightmapDialog::UpdatePreview() {
    if (!ReadHeights()) {
        preview->ShowProblem(QString::fromStdString("Unable to read the heights: " + readProblem));
        return;
    }
    if (!ReadOptions(false)) {
        return;
    }
    if (!options.seaLevel) {
        // The sea level field follows the land share until the sea is given as a height.
        optionsBox->SetHeightRange(heights.Lowest(), heights.Highest(),
                                   TerrainLevels::Of(heights, options).sea);
    }
    preview->Show(heights, options);
}

void CHeightmapDialog::accept() {
    if (!ReadHeights()) {
        ShowUserMessage("Unable to read the heights: " + readProblem, MessageButtons::Ok,
                        MessageIcon::Exclamation);
        return;
    }
    if (ReadOptions(true)) {
        QDialog::accept();
    }
}
