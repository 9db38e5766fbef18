#include "editor/dialogs/new_map_dialog.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLineEdit>
#include <QRegularExpressionValidator>

#include "editor/dialogs/dialog_fields.h"
#include "interchange/bitmap_interchange.h"
#include "platform/user_interaction.h"

namespace {

QLineEdit* NumberEdit(QWidget* parent, const char* name, int value) {
    auto* edit = new QLineEdit(QString::number(value), parent);
    edit->setObjectName(name);
    edit->setValidator(new QRegularExpressionValidator(QRegularExpression("[0-9]*"), edit));
    return edit;
}

}  // namespace

CNewMapDialog::CNewMapDialog(QWidget* parent)
    : QDialog(parent),
      heightEdit(NumberEdit(this, "height", height)),
      widthEdit(NumberEdit(this, "width", width)),
      fillList(new QComboBox(this)) {
    setWindowTitle("New Map Size");
    fillList->setObjectName("fill");
    fillList->addItems({"Grass", "Desert", "Ocean"});
    fillList->setCurrentIndex(fillIndex);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &CNewMapDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    auto* form = new QFormLayout(this);
    form->addRow("&Height:", heightEdit);
    form->addRow("&Width:", widthEdit);
    form->addRow("Fill with:", fillList);
    form->addRow(buttons);
}

void CNewMapDialog::accept() {
    if (ExchangeInteger(*heightEdit, kMinMapSide, kMaxMapHeight, height) &&
        ExchangeInteger(*widthEdit, kMinMapSide, kMaxMapWidth, width)) {
        fillIndex = fillList->currentIndex();
        QDialog::accept();
    }
}
