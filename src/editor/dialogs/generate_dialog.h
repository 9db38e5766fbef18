#pragma once

#include "editor/dialogs/generation_dialog.h"
#include "generate/height_field.h"

class QComboBox;
class QSpinBox;

// "Generate Map": a random landscape of the chosen size from a seed and a land mask. "Another"
// draws a new seed.
class CGenerateDialog : public CGenerationDialog {
    Q_OBJECT

  public:
    explicit CGenerateDialog(QWidget* parent);

    void accept() override;
    void UpdatePreview() override;

    // The heights of what is chosen.
    CHeightField Heights() const;

  private:
    void Another();

    QSpinBox* width;
    QSpinBox* height;
    QSpinBox* seed;
    QComboBox* mask;
};
