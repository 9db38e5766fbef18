#pragma once

#include <QWidget>

#include "document/map_document.h"
#include "generate/generation_options.h"
#include "generate/height_field.h"

class QLabel;

// What a generated map will look like: the map made from heights and options, shown one pixel a
// tile in the overview's colours, with the share of its tiles that hold land.
class CMapPreview : public QWidget {
    Q_OBJECT

  public:
    explicit CMapPreview(QWidget* parent);

    void Show(const CHeightField& heights, const GenerationOptions& options);
    // In place of a map: why there is none.
    void ShowProblem(const QString& text);

    // The map last shown.
    const CMapDocument& Map() const { return map; }

  private:
    CMapDocument map;
    QLabel* picture;
    QLabel* landShare;
};
