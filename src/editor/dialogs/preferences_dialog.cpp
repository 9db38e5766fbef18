#include "editor/dialogs/preferences_dialog.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QSpinBox>

CPreferencesDialog::CPreferencesDialog(bool keepRecoveryCopy, int idleSeconds, QWidget* parent)
    : QDialog(parent),
      keep(new QCheckBox("&Keep a recovery copy of unsaved changes", this)),
      idle(new QSpinBox(this)) {
    setWindowTitle("Preferences");
    keep->setObjectName("keepRecoveryCopy");
    keep->setChecked(keepRecoveryCopy);
    idle->setObjectName("idleSeconds");
    idle->setRange(30, 900);
    idle->setSuffix(" s");
    idle->setValue(idleSeconds);
    idle->setEnabled(keepRecoveryCopy);
    connect(keep, &QCheckBox::toggled, idle, &QWidget::setEnabled);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    auto* form = new QFormLayout(this);
    form->addRow(keep);
    form->addRow("&Write it after this long without a change:", idle);
    form->addRow(buttons);
}

bool CPreferencesDialog::KeepsRecoveryCopy() const {
    return keep->isChecked();
}

int CPreferencesDialog::IdleSeconds() const {
    return idle->value();
}
