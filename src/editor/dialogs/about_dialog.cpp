#include "editor/dialogs/about_dialog.h"

#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QVBoxLayout>

#include "mapfile/map_archive.h"

CAboutDialog::CAboutDialog(QWidget* parent) : QDialog(parent) {
    setWindowTitle("About Tarvo Map Editor");
    auto* icon = new QLabel(this);
    icon->setPixmap(QPixmap(":/icons/tarvo.xpm"));
    auto* text = new QLabel(VersionText(), this);
    text->setObjectName("version");
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    auto* row = new QHBoxLayout;
    row->addWidget(icon);
    row->addWidget(text, 1);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(row);
    layout->addWidget(buttons);
}

QString CAboutDialog::VersionText() {
    return QString("Tarvo Map Editor Version %1.%2.%3.%4")
        .arg(CurrentFileVersion >> 24)
        .arg(CurrentFileVersion >> 16 & 0xFF)
        .arg(CurrentFileVersion >> 8 & 0xFF)
        .arg(CurrentFileVersion & 0xFF);
}
