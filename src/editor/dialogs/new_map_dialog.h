#pragma once

#include <QDialog>

class QComboBox;
class QLineEdit;

// "New Map Size": the width and height of a new map and what fills it. OK checks the numbers,
// height first, and keeps the dialog open on the first one out of range.
class CNewMapDialog : public QDialog {
    Q_OBJECT

  public:
    explicit CNewMapDialog(QWidget* parent);

    void accept() override;

    int height = 112;
    int width = 192;
    // 0 Grass, 1 Desert, 2 Ocean.
    int fillIndex = 0;

  private:
    QLineEdit* heightEdit;
    QLineEdit* widthEdit;
    QComboBox* fillList;
};
