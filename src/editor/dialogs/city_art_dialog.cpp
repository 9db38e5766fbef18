#include "editor/dialogs/city_art_dialog.h"

#include <QHBoxLayout>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>
#include <algorithm>

#include "art/map_art.h"
#include "edit/map_editor.h"
#include "editor/dialogs/dialog_fields.h"
#include "editor/dialogs/dialog_units.h"
#include "editor/editor_settings.h"
#include "platform/user_interaction.h"

namespace {

constexpr const char* kCityArtFilter = "Bmp Files (*.bmp);;All Files (*)";

QString EntryName(const LibObject* entry) {
    return entry != nullptr && entry->name ? QString::fromStdString(*entry->name) : QString();
}

}  // namespace

CCityArtDialog::CCityArtDialog(const CMapArt& art, CMapEditor& editor, QWidget* parent)
    : QDialog(parent), editor(editor), list(new QListWidget(this)) {
    setWindowTitle("Custom City Art");
    list->setObjectName("cityArtList");
    list->setSelectionMode(QAbstractItemView::ExtendedSelection);
    // Every entry gets an item, even one without a name, so that item and entry indexes agree.
    const CLibObjectList& cityArt = art.CityArt();
    for (int i = 0; i < cityArt.GetCount(); ++i) {
        list->addItem(EntryName(cityArt.GetAt(i)));
    }
    QPushButton* add = DialogButton(this, "&Add Files", "addFiles");
    QPushButton* remove = DialogButton(this, "&Delete Files", "deleteFiles");
    auto* ok = new QPushButton("OK", this);
    ok->setObjectName("ok");
    ok->setDefault(true);
    connect(add, &QPushButton::clicked, this, &CCityArtDialog::OnAddFiles);
    connect(remove, &QPushButton::clicked, this, &CCityArtDialog::OnDeleteFiles);
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);

    auto* side = new QVBoxLayout;
    side->addWidget(add);
    side->addWidget(remove);
    side->addStretch(1);
    side->addWidget(ok);
    auto* layout = new QHBoxLayout(this);
    layout->addWidget(list, 1);
    layout->addLayout(side);
    resize(DialogUnitsX(*this, 404), DialogUnitsY(*this, 185));
}

void CCityArtDialog::OnAddFiles() {
    std::vector<std::string> paths =
        ChooseOpenFiles({kCityArtFilter, "bmp", CEditorSettings::Folder(CEditorSettings::kArt)});
    if (!paths.empty()) {
        CEditorSettings::RememberFolderOf(CEditorSettings::kArt, paths.front());
    }
    size_t added = editor.AddCityArt(paths);
    for (size_t i = 0; i < added; ++i) {
        list->addItem(QString::fromStdString(FileNamePart(paths[i])));
    }
    if (added < paths.size()) {
        // The files chosen after a broken one stay out too; the list shows what got in.
        ShowUserMessage("Unable to load " + FileNamePart(paths[added]) + " as a bitmap.",
                        MessageButtons::Ok, MessageIcon::Exclamation);
    }
}

void CCityArtDialog::OnDeleteFiles() {
    std::vector<int> rows;
    for (const QListWidgetItem* item : list->selectedItems()) {
        rows.push_back(list->row(item));
    }
    editor.DeleteCityArt(rows);
    // From the last to the first, so that the rows still to go keep their numbers.
    std::sort(rows.rbegin(), rows.rend());
    for (int row : rows) {
        delete list->takeItem(row);
    }
}
