#include "editor/dialogs/terrain_type_dialog.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QRegularExpressionValidator>
#include <QVBoxLayout>

#include "editor/dialogs/dialog_fields.h"
#include "model/terrain_table.h"
#include "platform/user_interaction.h"

namespace {

constexpr int kMinCost = -1;
constexpr int kMaxCost = 100000;
constexpr int kAltitudeLevels = 7;

struct ResourceField {
    const char* label;
    int slot;
    const char* name;
};

// In the order the group shows them.
constexpr ResourceField kResourceFields[] = {
    {"Cattle:", RESOURCE_CATTLE, "cattle"}, {"Grain:", RESOURCE_GRAIN, "grain"},
    {"Oil:", RESOURCE_OIL, "oil"},          {"Timber:", RESOURCE_TIMBER, "timber"},
    {"Mining:", RESOURCE_MINING, "mining"}, {"Factory:", RESOURCE_FACTORY, "factory"},
    {"Port:", RESOURCE_PORT, "port"},
};

QLineEdit* CostEdit(QWidget* parent, const char* name, int value) {
    auto* edit = new QLineEdit(QString::number(value), parent);
    edit->setObjectName(name);
    edit->setValidator(new QRegularExpressionValidator(QRegularExpression("-?[0-9]*"), edit));
    return edit;
}

QComboBox* ChoiceList(QWidget* parent, const char* name, const QStringList& items, int value) {
    auto* list = new QComboBox(parent);
    list->setObjectName(name);
    list->addItems(items);
    // A value the list has no item for (a level from an odd game data file) selects nothing.
    list->setCurrentIndex(value >= 0 && value < items.size() ? value : -1);
    return list;
}

}  // namespace

CTerrainTypeDialog::CTerrainTypeDialog(int type, bool allowCities, bool allowSignposts,
                                       int trackCost, int rightOfWayCost, QWidget* parent)
    : QDialog(parent),
      allowCities(allowCities),
      allowSignposts(allowSignposts),
      trackCost(trackCost),
      rightOfWayCost(rightOfWayCost),
      record(theTerrainTable.Record(type)),
      rightOfWayEdit(CostEdit(this, "rightOfWayCost", rightOfWayCost)),
      trackEdit(CostEdit(this, "trackCost", trackCost)),
      citiesBox(new QCheckBox("Allow Cities", this)),
      signpostsBox(new QCheckBox("Allow Signposts", this)) {
    setWindowTitle("Terrain Type Information");
    QStringList levels;
    for (int level = 0; level < kAltitudeLevels; ++level) {
        levels << QString::number(level);
    }
    altitudeList = ChoiceList(this, "altitudeLevel", levels, record.altitudeLevel);
    citiesBox->setObjectName("allowCities");
    citiesBox->setChecked(allowCities);
    signpostsBox->setObjectName("allowSignposts");
    signpostsBox->setChecked(allowSignposts);

    auto* resources = new QGroupBox("Valid Resource Types", this);
    auto* resourceForm = new QFormLayout(resources);
    for (const ResourceField& field : kResourceFields) {
        QComboBox* list = ChoiceList(resources, field.name, {"No", "Allowed", "Preferred"},
                                     record.resources[field.slot]);
        resourceLists[field.slot] = list;
        resourceForm->addRow(field.label, list);
    }

    auto* form = new QFormLayout;
    form->addRow("Right of way cost per mile:", rightOfWayEdit);
    form->addRow("Track construction cost per mile:", trackEdit);
    form->addRow("Altitude Level:", altitudeList);
    form->addRow(citiesBox);
    form->addRow(signpostsBox);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &CTerrainTypeDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    auto* left = new QVBoxLayout;
    left->addLayout(form);
    left->addStretch(1);
    left->addWidget(buttons);
    auto* layout = new QHBoxLayout(this);
    layout->addLayout(left, 1);
    layout->addWidget(resources);
}

void CTerrainTypeDialog::accept() {
    for (int slot = 0; slot < kResourceSlots; ++slot) {
        if (resourceLists[slot] != nullptr && resourceLists[slot]->currentIndex() >= 0) {
            record.resources[slot] = static_cast<uint8_t>(resourceLists[slot]->currentIndex());
        }
    }
    if (altitudeList->currentIndex() >= 0) {
        record.altitudeLevel = altitudeList->currentIndex();
    }
    if (!ExchangeInteger(*rightOfWayEdit, kMinCost, kMaxCost, rightOfWayCost) ||
        !ExchangeInteger(*trackEdit, kMinCost, kMaxCost, trackCost)) {
        return;
    }
    allowCities = citiesBox->isChecked();
    allowSignposts = signpostsBox->isChecked();
    QDialog::accept();
}
