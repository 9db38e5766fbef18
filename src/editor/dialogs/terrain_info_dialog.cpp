#include "editor/dialogs/terrain_info_dialog.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRegularExpressionValidator>
#include <QSignalBlocker>
#include <QVBoxLayout>

#include "art/terrain_row_text.h"
#include "edit/map_editor.h"
#include "editor/dialogs/dialog_fields.h"
#include "editor/dialogs/dialog_units.h"
#include "editor/dialogs/exit_table_dialog.h"
#include "editor/dialogs/tab_stop_delegate.h"
#include "editor/dialogs/terrain_type_dialog.h"
#include "editor/editor_settings.h"
#include "model/terrain_table.h"
#include "platform/user_interaction.h"

namespace {

constexpr int kMinMiles = 5;
constexpr int kMaxMiles = 200;
constexpr int kListRows = static_cast<int>(std::size(kTerrainListTypes)) + 1;
// Where the list's columns start, in dialog units.
constexpr int kTabStops[] = {70, 90, 110, 140, 165, 190};
constexpr const char* kArtFilter = "Bitmap Files (*.bmp)";

void ShowProblem(const std::string& text) {
    ShowUserMessage(text, MessageButtons::Ok, MessageIcon::Exclamation);
}

std::string ImportFailureText(int result, const std::string& path) {
    if (result == kErrorWrongArtSize) {
        return "Custom terrain art must be 900 × 900 pixels.";
    }
    return "Unable to load " + FileNamePart(path) + " as a bitmap.";
}

}  // namespace

CTerrainInfoDialog::CTerrainInfoDialog(const CMapArt& art, CMapEditor& editor, int milesPerTile,
                                       QWidget* parent)
    : QDialog(parent),
      milesPerTile(milesPerTile),
      art(art),
      editor(editor),
      list(new QListWidget(this)),
      editButton(DialogButton(this, "&Edit", "edit")),
      importButton(DialogButton(this, "&Import", "import")),
      unloadButton(DialogButton(this, "&Unload", "unload")),
      exitTableButton(DialogButton(this, "E&xit Table", "exitTable")),
      milesEdit(new QLineEdit(QString::number(milesPerTile), this)) {
    setWindowTitle("Edit Terrain Information");
    list->setObjectName("terrainList");
    list->setSelectionMode(QAbstractItemView::SingleSelection);
    QVector<int> stops;
    for (int stop : kTabStops) {
        stops.push_back(DialogUnitsX(*list, stop));
    }
    list->setItemDelegate(new CTabStopDelegate(stops, list));
    list->addItem(kTerrainListHeader);
    for (int type : kTerrainListTypes) {
        list->addItem(QString::fromStdString(RowText(art, type)));
    }
    milesEdit->setObjectName("milesPerTile");
    milesEdit->setValidator(new QRegularExpressionValidator(QRegularExpression("[0-9]*"), this));
    auto* ok = new QPushButton("OK", this);
    ok->setObjectName("ok");
    ok->setDefault(true);

    connect(list, &QListWidget::itemSelectionChanged, this, &CTerrainInfoDialog::ApplyButtonRule);
    connect(list, &QListWidget::itemDoubleClicked, this, &CTerrainInfoDialog::OnEdit);
    connect(editButton, &QPushButton::clicked, this, &CTerrainInfoDialog::OnEdit);
    connect(importButton, &QPushButton::clicked, this, &CTerrainInfoDialog::OnImport);
    connect(unloadButton, &QPushButton::clicked, this, &CTerrainInfoDialog::OnUnload);
    connect(exitTableButton, &QPushButton::clicked, this, &CTerrainInfoDialog::OnExitTable);
    connect(ok, &QPushButton::clicked, this, &CTerrainInfoDialog::accept);

    auto* side = new QVBoxLayout;
    for (QPushButton* button : {editButton, importButton, unloadButton, exitTableButton}) {
        side->addWidget(button);
    }
    side->addStretch(1);
    side->addWidget(new QLabel("Miles Per Tile:", this));
    side->addWidget(milesEdit);
    side->addSpacing(DialogUnitsY(*this, 8));
    side->addWidget(ok);
    auto* layout = new QHBoxLayout(this);
    layout->addWidget(list, 1);
    layout->addLayout(side);
    resize(DialogUnitsX(*this, 410), DialogUnitsY(*this, 244));
    ApplyButtonRule();
}

int CTerrainInfoDialog::TypeOfRow(int row) {
    return row >= 1 && row < kListRows ? kTerrainListTypes[row - 1] : 0;
}

int CTerrainInfoDialog::SelectedRow() const {
    const QList<QListWidgetItem*> selected = list->selectedItems();
    return selected.isEmpty() ? -1 : list->row(selected.front());
}

void CTerrainInfoDialog::ApplyButtonRule() {
    int row = SelectedRow();
    const CCustomTerrainArt* custom = art.CustomArtFor(TypeOfRow(row));
    bool loaded = custom != nullptr && custom->loaded;
    importButton->setEnabled(custom != nullptr);
    editButton->setEnabled(row >= 1 && (custom == nullptr || loaded));
    unloadButton->setEnabled(loaded);
    exitTableButton->setEnabled(loaded);
}

void CTerrainInfoDialog::ReplaceRow(int row) {
    QSignalBlocker blocker(list);
    delete list->takeItem(row);
    list->insertItem(row, QString::fromStdString(RowText(art, TypeOfRow(row))));
    list->setCurrentRow(-1);
    list->clearSelection();
}

void CTerrainInfoDialog::OnEdit() {
    int row = SelectedRow();
    int type = TypeOfRow(row);
    if (type == 0) {
        return;
    }
    const CTerrainType& stored = theTerrainTable.Record(type);
    CTerrainTypeDialog dialog(type, stored.allowCities != 0, stored.allowSignposts != 0,
                              DisplayedCost(stored.trackCost), DisplayedCost(stored.rightOfWayCost),
                              this);
    if (dialog.exec() != QDialog::Accepted) {
        return;
    }
    CTerrainType record = dialog.record;
    record.allowCities = dialog.allowCities;
    record.allowSignposts = dialog.allowSignposts;
    record.trackCost = StoredCost(dialog.trackCost);
    record.rightOfWayCost = StoredCost(dialog.rightOfWayCost);
    editor.SetTerrainRecord(type, record);
    ReplaceRow(row);
}

void CTerrainInfoDialog::OnImport() {
    int row = SelectedRow();
    int type = TypeOfRow(row);
    const CCustomTerrainArt* custom = art.CustomArtFor(type);
    if (custom == nullptr) {
        return;
    }
    if (custom->loaded && ShowUserMessage("Overwrite current art?", MessageButtons::YesNo,
                                          MessageIcon::Question) != MessageAnswer::Yes) {
        return;
    }
    std::optional<std::string> path =
        ChooseOpenFile({kArtFilter, "bmp", CEditorSettings::Folder(CEditorSettings::kArt)});
    if (!path) {
        return;
    }
    CEditorSettings::RememberFolderOf(CEditorSettings::kArt, *path);
    // A refused picture leaves the art as it was; the user is told why.
    int result = editor.ImportCustomArt(type, *path);
    if (result != 0) {
        ShowProblem(ImportFailureText(result, *path));
        return;
    }
    ReplaceRow(row);
}

void CTerrainInfoDialog::OnUnload() {
    int row = SelectedRow();
    int type = TypeOfRow(row);
    const CCustomTerrainArt* custom = art.CustomArtFor(type);
    if (custom == nullptr || !custom->loaded) {
        return;
    }
    bool used = art.Grid().IsTypeUsed(type);
    if (used &&
        ShowUserMessage("Terrain type is in use and will be converted to grass, continue?",
                        MessageButtons::YesNo, MessageIcon::Question) != MessageAnswer::Yes) {
        return;
    }
    editor.UnloadCustomArt(type);
    ReplaceRow(row);
}

void CTerrainInfoDialog::OnExitTable() {
    int type = TypeOfRow(SelectedRow());
    const CCustomTerrainArt* custom = art.CustomArtFor(type);
    // Without art there is no sheet to click on.
    if (custom == nullptr || !custom->loaded) {
        return;
    }
    CExitTableDialog dialog(*custom, this);
    dialog.exec();
    // Every click counts, also one that a second click took back: the user edited the exits.
    if (dialog.Clicked()) {
        editor.SetExitMasks(type, dialog.Masks());
    }
}

void CTerrainInfoDialog::accept() {
    if (ExchangeUnsigned(*milesEdit, kMinMiles, kMaxMiles, milesPerTile)) {
        QDialog::accept();
    }
}
