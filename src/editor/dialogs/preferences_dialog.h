#pragma once

#include <QDialog>

class QCheckBox;
class QSpinBox;

// "Preferences": whether the editor keeps a recovery copy of unsaved changes, and after how
// many seconds without a change it writes one.
class CPreferencesDialog : public QDialog {
    Q_OBJECT

  public:
    CPreferencesDialog(bool keepRecoveryCopy, int idleSeconds, QWidget* parent);

    bool KeepsRecoveryCopy() const;
    int IdleSeconds() const;

  private:
    QCheckBox* keep;
    QSpinBox* idle;
};
