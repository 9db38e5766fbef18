#pragma once

#include <QDialog>
#include <QTimer>

#include "generate/generation_options.h"

class CGenerationOptionsBox;
class CMapPreview;
class QFormLayout;
class QSpinBox;

// What New from Heightmap and Generate share: the options box beside a live preview of the map
// they make, shown again shortly after every change, and OK refused while the options make no
// map.
class CGenerationDialog : public QDialog {
    Q_OBJECT

  public:
    // Shows the map of what is chosen now; the dialog does it itself shortly after a change.
    virtual void UpdatePreview() = 0;

    const GenerationOptions& Options() const { return options; }

  protected:
    // withSeaLevel: the sea may also be given as a height.
    CGenerationDialog(const char* title, bool withSeaLevel, QWidget* parent);

    // Puts the dialog's own fields above the options, the preview beside them, OK and Cancel
    // below.
    void LayOut(QFormLayout* fields);
    // A map side box of tests' name, from the smallest side to maximum.
    QSpinBox* SizeBox(const char* name, int maximum, int value);
    void UpdateLater() { previewTimer.start(); }
    // Reads the options box into options; false, with the preview or a message (tell) saying
    // why, when its bands take more than all of the land.
    bool ReadOptions(bool tell);

    CGenerationOptionsBox* optionsBox;
    CMapPreview* preview;
    GenerationOptions options;

  private:
    QTimer previewTimer;
};
