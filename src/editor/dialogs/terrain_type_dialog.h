#pragma once

#include <QDialog>

#include "model/terrain_type.h"

class QCheckBox;
class QComboBox;
class QLineEdit;

// "Terrain Type Information": one type's costs, altitude level, permissions and resources.
// The dialog edits a copy of the type's record: OK puts the resources and the level into it,
// checks the costs, and leaves the costs and permissions for the caller, which stores the
// record as one step of the edit history. Cancel changes nothing.
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
    // The type's record with the resources and level that OK took.
    CTerrainType record;

  private:
    QLineEdit* rightOfWayEdit;
    QLineEdit* trackEdit;
    QComboBox* altitudeList;
    QCheckBox* citiesBox;
    QCheckBox* signpostsBox;
    // By resource slot; slot 0 has no combo.
    QComboBox* resourceLists[kResourceSlots] = {};
};
