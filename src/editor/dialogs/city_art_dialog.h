#pragma once

#include <QDialog>

class CMapArt;
class CMapEditor;
class QListWidget;

// "Custom City Art": the map's city pictures by name. Adding and deleting change the map's list
// at once, each a step of the edit history, and the dialog's list follows, item for item; there
// is nothing to cancel.
class CCityArtDialog : public QDialog {
    Q_OBJECT

  public:
    CCityArtDialog(const CMapArt& art, CMapEditor& editor, QWidget* parent);

    QListWidget* List() const { return list; }

  public slots:
    // Adds the chosen files in order, stopping at the first that cannot be loaded.
    void OnAddFiles();
    void OnDeleteFiles();

  private:
    CMapEditor& editor;
    QListWidget* list;
};
