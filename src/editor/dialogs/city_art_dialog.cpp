#include "editor/dialogs/city_art_dialog.h"

#include <QHBoxLayout>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>
#include <algorithm>

#include "art/map_art.h"
#include "editor/dialogs/dialog_fields.h"
#include "editor/dialogs/dialog_units.h"
#include "platform/user_interaction.h"

namespace {

constexpr const char* kCityArtFilter = "Bmp Files (*.bmp);;All Files (*)";

QString EntryName(const LibObject* entry) {
    return entry != nullptr && entry->name ? QString::fromStdString(*entry->name) : QString();
}

}  // namespace

CCityArtDialog::CCityArtDialog(CMapArt& art, QWidget* parent)
    : QDialog(parent), art(art), list(new QListWidget(this)) {
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
    if (theUserInteraction == nullptr) {
        return;
    }
    for (const std::string& path :
         theUserInteraction->ChooseFilesToOpen({kCityArtFilter, "bmp", ""})) {
        if (!art.AddCityArt(path)) {
            // The files chosen after a broken one stay out too; the list shows what got in.
            ShowUserMessage("Unable to load " + FileNamePart(path) + " as a bitmap.",
                            MessageButtons::Ok, MessageIcon::Exclamation);
            return;
        }
        list->addItem(QString::fromStdString(FileNamePart(path)));
    }
}

void CCityArtDialog::OnDeleteFiles() {
    std::vector<int> rows;
    for (const QListWidgetItem* item : list->selectedItems()) {
        rows.push_back(list->row(item));
    }
    // From the last to the first, so that the rows still to go keep their numbers.
    std::sort(rows.rbegin(), rows.rend());
    for (int row : rows) {
        art.RemoveCityArt(row);
        delete list->takeItem(row);
    }
}
