#pragma once

#include <QWidget>
#include <array>

#include "generate/generation_options.h"

class QComboBox;
class QDoubleSpinBox;
class QLabel;
class QRadioButton;
class QSpinBox;

// The choices that New from Heightmap and Generate share: how much of the map is land, each
// band's share of the land, the rivers, desert, woods, farms and swamps. Tells of every change.
class CGenerationOptionsBox : public QWidget {
    Q_OBJECT

  public:
    // withSeaLevel: the sea may also be given as a height (of a height picture).
    CGenerationOptionsBox(bool withSeaLevel, QWidget* parent);

    // The options chosen, seed aside; false when the bands' shares add up to more than the land.
    bool Read(GenerationOptions& options) const;
    // The heights a picture has, and the sea level its land share gives, for the height field.
    void SetHeightRange(float lowest, float highest, float sea);

  signals:
    void changed();

  private:
    void BandsChanged();

    QSpinBox* landShare;
    QRadioButton* byHeight = nullptr;
    QDoubleSpinBox* seaLevel = nullptr;
    // Grass or desert, Low and High Hills, Low and Med Mountain; High Mountain takes the rest.
    std::array<QSpinBox*, 5> bandShares{};
    QLabel* highMountain;
    QComboBox* rivers;
    QComboBox* desert;
    QSpinBox* woods;
    QSpinBox* farms;
    QSpinBox* swamps;
};
