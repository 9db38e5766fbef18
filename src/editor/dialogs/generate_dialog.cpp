#include "editor/dialogs/generate_dialog.h"

#include <QComboBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QRandomGenerator>
#include <QSpinBox>

#include "editor/dialogs/dialog_fields.h"
#include "editor/dialogs/map_preview.h"
#include "generate/seeded_heights.h"
#include "interchange/bitmap_interchange.h"

namespace {

constexpr LandMask kMasks[] = {LandMask::Continent, LandMask::Islands, LandMask::Coast,
                               LandMask::Land};

}  // namespace

CGenerateDialog::CGenerateDialog(QWidget* parent)
    : CGenerationDialog("Generate Map", false, parent),
      width(SizeBox("width", kMaxMapWidth, kMaxMapWidth)),
      height(SizeBox("height", kMaxMapHeight, kMaxMapHeight)),
      seed(new QSpinBox(this)),
      mask(new QComboBox(this)) {
    seed->setObjectName("seed");
    seed->setRange(0, 2147483647);
    Another();
    connect(seed, &QSpinBox::valueChanged, this, &CGenerateDialog::UpdateLater);
    mask->setObjectName("mask");
    mask->addItems({"One continent", "Islands", "Coast along one edge", "Land throughout"});
    connect(mask, &QComboBox::currentIndexChanged, this, &CGenerateDialog::UpdateLater);
    QPushButton* another = DialogButton(this, "&Another", "another");
    connect(another, &QPushButton::clicked, this, &CGenerateDialog::Another);

    auto* form = new QFormLayout;
    form->addRow("&Width:", width);
    form->addRow("&Height:", height);
    auto* seedRow = new QHBoxLayout;
    seedRow->addWidget(seed, 1);
    seedRow->addWidget(another);
    auto* seedLabel = new QLabel("&Seed:", this);
    seedLabel->setBuddy(seed);
    form->addRow(seedLabel, seedRow);
    form->addRow("&Land mask:", mask);
    LayOut(form);
    UpdatePreview();
}

void CGenerateDialog::Another() {
    seed->setValue(static_cast<int>(QRandomGenerator::global()->bounded(2147483647u)));
}

CHeightField CGenerateDialog::Heights() const {
    return SeededHeights(width->value(), height->value(), static_cast<uint32_t>(seed->value()),
                         kMasks[mask->currentIndex()]);
}

void CGenerateDialog::UpdatePreview() {
    if (ReadOptions(false)) {
        options.seed = static_cast<uint32_t>(seed->value());
        preview->Show(Heights(), options);
    }
}

void CGenerateDialog::accept() {
    if (ReadOptions(true)) {
        options.seed = static_cast<uint32_t>(seed->value());
        QDialog::accept();
    }
}
