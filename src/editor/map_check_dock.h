#pragma once

#include <QDockWidget>
#include <QPoint>
#include <QTimer>
#include <string>
#include <vector>

#include "check/map_check.h"

class CMapSession;
class QListWidget;

// View > Map Check: what the game or a player would trip over in the open map, one line each,
// checked again shortly after every change while the dock shows. A line of a tile chooses it.
class CMapCheckDock : public QDockWidget {
    Q_OBJECT

  public:
    CMapCheckDock(CMapSession& session, QWidget* parent);

    // The game data file whose terrain table the map's is compared with.
    void SetGameDataFile(const std::string& path);
    // Checks the map now.
    void Refresh();
    const std::vector<MapFinding>& Findings() const { return findings; }

  signals:
    void tileChosen(QPoint tile);

  protected:
    void showEvent(QShowEvent* event) override;

  private:
    void RefreshLater();

    CMapSession& session;
    QListWidget* list;
    QTimer refreshTimer;
    std::string gameDataFile;
    std::vector<MapFinding> findings;
};
