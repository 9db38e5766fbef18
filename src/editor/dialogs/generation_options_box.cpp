#include "editor/dialogs/generation_options_box.h"

#include <QComboBox>
#include <QDoubleSpinBox>
#include <QFormLayout>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QRadioButton>
#include <QSignalBlocker>
#include <QSpinBox>

namespace {

QSpinBox* PercentBox(QWidget* parent, const char* name, double share) {
    auto* box = new QSpinBox(parent);
    box->setObjectName(name);
    box->setRange(0, 100);
    box->setSuffix(" %");
    box->setValue(static_cast<int>(share * 100 + 0.5));
    return box;
}

QComboBox* ChoiceBox(QWidget* parent, const char* name, const QStringList& items, int current) {
    auto* box = new QComboBox(parent);
    box->setObjectName(name);
    box->addItems(items);
    box->setCurrentIndex(current);
    return box;
}

constexpr const char* kBandNames[] = {"Grass or desert", "Low Hills", "High Hills", "Low Mountain",
                                      "Med Mountain"};

}  // namespace

CGenerationOptionsBox::CGenerationOptionsBox(bool withSeaLevel, QWidget* parent)
    : QWidget(parent), highMountain(new QLabel(this)) {
    const GenerationOptions defaults;
    landShare = PercentBox(this, "landShare", defaults.landShare);
    auto* form = new QFormLayout(this);
    form->setContentsMargins(0, 0, 0, 0);
    if (withSeaLevel) {
        auto* byShare = new QRadioButton("&Land share:", this);
        byShare->setChecked(true);
        byHeight = new QRadioButton("Sea up to the &height:", this);
        byHeight->setObjectName("bySeaLevel");
        seaLevel = new QDoubleSpinBox(this);
        seaLevel->setObjectName("seaLevel");
        seaLevel->setRange(-1e9, 1e9);
        seaLevel->setDecimals(2);
        seaLevel->setEnabled(false);
        connect(byHeight, &QRadioButton::toggled, this, [this](bool on) {
            seaLevel->setEnabled(on);
            landShare->setEnabled(!on);
            emit changed();
        });
        connect(seaLevel, &QDoubleSpinBox::valueChanged, this, &CGenerationOptionsBox::changed);
        form->addRow(byShare, landShare);
        form->addRow(byHeight, seaLevel);
    } else {
        form->addRow("&Land share:", landShare);
    }
    auto* bands = new QGridLayout;
    double below = 0;
    for (size_t band = 0; band < bandShares.size(); ++band) {
        const double top = defaults.bandTops[band];
        bandShares[band] = PercentBox(this, ("band" + std::to_string(band)).c_str(), top - below);
        below = top;
        bands->addWidget(new QLabel(kBandNames[band], this), static_cast<int>(band) / 3 * 2,
                         static_cast<int>(band) % 3);
        bands->addWidget(bandShares[band], static_cast<int>(band) / 3 * 2 + 1,
                         static_cast<int>(band) % 3);
        connect(bandShares[band], &QSpinBox::valueChanged, this,
                &CGenerationOptionsBox::BandsChanged);
    }
    highMountain->setObjectName("highMountain");
    bands->addWidget(new QLabel("High Mountain", this), 2, 2);
    bands->addWidget(highMountain, 3, 2);
    form->addRow("Bands of the land:", bands);
    rivers = ChoiceBox(this, "rivers", {"None", "Few", "Some", "Many"},
                       static_cast<int>(defaults.rivers));
    desert = ChoiceBox(this, "desert", {"None", "In the driest places", "More to the south"},
                       static_cast<int>(defaults.desert));
    form->addRow("&Rivers:", rivers);
    form->addRow("&Desert:", desert);
    woods = PercentBox(this, "woods", defaults.woodsShare);
    farms = PercentBox(this, "farms", defaults.farmsShare);
    swamps = PercentBox(this, "swamps", defaults.swampsShare);
    auto* cover = new QHBoxLayout;
    for (auto [label, box] : {std::pair{"Woods", woods}, {"Farms", farms}, {"Swamps", swamps}}) {
        cover->addWidget(new QLabel(label, this));
        cover->addWidget(box);
        connect(box, &QSpinBox::valueChanged, this, &CGenerationOptionsBox::changed);
    }
    form->addRow("Of the land:", cover);
    connect(landShare, &QSpinBox::valueChanged, this, &CGenerationOptionsBox::changed);
    connect(rivers, &QComboBox::currentIndexChanged, this, &CGenerationOptionsBox::changed);
    connect(desert, &QComboBox::currentIndexChanged, this, &CGenerationOptionsBox::changed);
    BandsChanged();
}

void CGenerationOptionsBox::BandsChanged() {
    int sum = 0;
    for (const QSpinBox* box : bandShares) {
        sum += box->value();
    }
    highMountain->setText(sum <= 100 ? QString("%1 %").arg(100 - sum)
                                     : QString("over 100 % by %1").arg(sum - 100));
    emit changed();
}

bool CGenerationOptionsBox::Read(GenerationOptions& options) const {
    options.landShare = landShare->value() / 100.0;
    options.seaLevel.reset();
    if (byHeight != nullptr && byHeight->isChecked()) {
        options.seaLevel = static_cast<float>(seaLevel->value());
    }
    int top = 0;
    for (size_t band = 0; band < bandShares.size(); ++band) {
        top += bandShares[band]->value();
        options.bandTops[band] = top / 100.0;
    }
    options.rivers = static_cast<RiverAmount>(rivers->currentIndex());
    options.desert = static_cast<DesertSpread>(desert->currentIndex());
    options.woodsShare = woods->value() / 100.0;
    options.farmsShare = farms->value() / 100.0;
    options.swampsShare = swamps->value() / 100.0;
    return top <= 100;
}

void CGenerationOptionsBox::SetHeightRange(float lowest, float highest, float sea) {
    if (seaLevel == nullptr || byHeight->isChecked()) {
        return;
    }
    const QSignalBlocker quiet(seaLevel);
    seaLevel->setRange(lowest, highest);
    seaLevel->setValue(sea);
}
