#include "editor/dialogs/generation_dialog.h"

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QSpinBox>

#include "editor/dialogs/generation_options_box.h"
#include "editor/dialogs/map_preview.h"
#include "interchange/bitmap_interchange.h"
#include "platform/user_interaction.h"

CGenerationDialog::CGenerationDialog(const char* title, bool withSeaLevel, QWidget* parent)
    : QDialog(parent),
      optionsBox(new CGenerationOptionsBox(withSeaLevel, this)),
      preview(new CMapPreview(this)) {
    setWindowTitle(title);
    previewTimer.setSingleShot(true);
    previewTimer.setInterval(150);
    connect(&previewTimer, &QTimer::timeout, this, [this] { UpdatePreview(); });
    connect(optionsBox, &CGenerationOptionsBox::changed, this, &CGenerationDialog::UpdateLater);
}

void CGenerationDialog::LayOut(QFormLayout* fields) {
    fields->addRow(optionsBox);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    auto* columns = new QHBoxLayout;
    columns->addLayout(fields);
    columns->addWidget(preview);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(columns);
    layout->addWidget(buttons);
}

QSpinBox* CGenerationDialog::SizeBox(const char* name, int maximum, int value) {
    auto* box = new QSpinBox(this);
    box->setObjectName(name);
    box->setRange(kMinMapSide, maximum);
    box->setValue(value);
    connect(box, &QSpinBox::valueChanged, this, &CGenerationDialog::UpdateLater);
    return box;
}

bool CGenerationDialog::ReadOptions(bool tell) {
    previewTimer.stop();
    if (optionsBox->Read(options)) {
        return true;
    }
    if (tell) {
        ShowUserMessage("The bands' shares add up to more than 100 %.", MessageButtons::Ok,
                        MessageIcon::Exclamation);
    } else {
        preview->ShowProblem("The bands take more than all of the land.");
    }
    return false;
}
