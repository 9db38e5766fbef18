#pragma once

#include <string>

#include "editor/dialogs/generation_dialog.h"
#include "generate/height_field.h"

class QCheckBox;
class QSpinBox;

// "New from Heightmap": the map a height picture makes, of the chosen size (stretched to it or
// cropped to its proportions), with the sea as a land share or a height. The picture is read
// again only when the size or the cropping changes.
class CHeightmapDialog : public CGenerationDialog {
    Q_OBJECT

  public:
    CHeightmapDialog(const std::string& path, int pictureWidth, int pictureHeight, QWidget* parent);

    void accept() override;
    void UpdatePreview() override;

    // The picture's heights at the chosen size.
    const CHeightField& Heights() const { return heights; }

  private:
    // Reads the picture at the chosen size unless it was read so; false, with readProblem, when
    // it cannot be.
    bool ReadHeights();

    std::string path;
    QSpinBox* width;
    QSpinBox* height;
    QCheckBox* crop;
    CHeightField heights;
    // What heights were read for.
    bool cropped = false;
    std::string readProblem;
};
