#pragma once

#include <QDialog>

// "About Tarvo Map Editor": the program's icon, name and version.
class CAboutDialog : public QDialog {
    Q_OBJECT

  public:
    explicit CAboutDialog(QWidget* parent);

    // "Tarvo Map Editor Version 1.0.0.75": the version of the map files the program writes.
    static QString VersionText();
};
