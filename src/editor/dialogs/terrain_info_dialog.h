#pragma once

#include <QDialog>

class CMapArt;
class CMapEditor;
class QLineEdit;
class QListWidget;
class QPushButton;

// "Edit Terrain Information": the terrain table as a list, the map scale, and the art of the
// custom types. Edit, Import, Unload and Exit Table change the table, the map's art and tiles
// at once, each as one step of the edit history; only the miles per tile wait for OK.
class CTerrainInfoDialog : public QDialog {
    Q_OBJECT

  public:
    CTerrainInfoDialog(const CMapArt& art, CMapEditor& editor, int milesPerTile, QWidget* parent);

    void accept() override;

    QListWidget* List() const { return list; }
    // The type a list row shows; 0 for the header row and for no row.
    static int TypeOfRow(int row);
    // The row of the single selected item, or -1.
    int SelectedRow() const;

    // The value of the miles field, read back by OK.
    int milesPerTile;

  public slots:
    void OnEdit();
    void OnImport();
    void OnUnload();
    void OnExitTable();

  private:
    void ApplyButtonRule();
    // Puts the row's new text in place. Like a row deleted and inserted again, it leaves no row
    // selected and the buttons as they were.
    void ReplaceRow(int row);

    const CMapArt& art;
    CMapEditor& editor;
    QListWidget* list;
    QPushButton* editButton;
    QPushButton* importButton;
    QPushButton* unloadButton;
    QPushButton* exitTableButton;
    QLineEdit* milesEdit;
};
