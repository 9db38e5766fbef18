#pragma once

#include <QDialog>

#include "model/terrain_type.h"

class QCheckBox;
class QComboBox;
class QLineEdit;

// "Terrain Type Information": one type's costs, altitude level, permissions and resources.
// OK writes the resources and the level into the terrain table before it checks the costs, so
// those stay even when the costs are refused and the dialog is then cancelled; the costs and
// permissions are the caller's to store.
class CTerrainTypeDialog : public QDialog {
    Q_OBJECT

  public:
    // Costs as shown: -1 for the stored 9999999.
    CTerrainTypeDialog(int type, bool allowCities, bool allowSignposts, int trackCost,
                       int rightOfWayCost, QWidget* parent);

    void accept() override;

    bool allowCities;
    bool allowSignposts;
    int trackCost;
    int rightOfWayCost;

  private:
    int type;
    QLineEdit* rightOfWayEdit;
    QLineEdit* trackEdit;
    QComboBox* altitudeList;
    QCheckBox* citiesBox;
    QCheckBox* signpostsBox;
    // By resource slot; slot 0 has no combo.
    QComboBox* resourceLists[kResourceSlots] = {};
};
