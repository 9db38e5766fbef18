#include "editor/map_check_dock.h"

#include <QListWidget>

#include "editor/map_session.h"

CMapCheckDock::CMapCheckDock(CMapSession& session, QWidget* parent)
    : QDockWidget("Map Check", parent), session(session), list(new QListWidget(this)) {
    setObjectName("mapCheck");
    list->setObjectName("findings");
    setWidget(list);
    refreshTimer.setSingleShot(true);
    refreshTimer.setInterval(300);
    connect(&refreshTimer, &QTimer::timeout, this, &CMapCheckDock::Refresh);
    connect(list, &QListWidget::itemActivated, this, [this](QListWidgetItem* item) {
        const size_t index = static_cast<size_t>(list->row(item));
        if (index < findings.size() && findings[index].x >= 0) {
            emit tileChosen(QPoint(findings[index].x, findings[index].y));
        }
    });
    connect(list, &QListWidget::itemClicked, list, &QListWidget::itemActivated);
    for (auto signal : {&CMapSession::opened, &CMapSession::closed, &CMapSession::historyChanged,
                        &CMapSession::artChanged, &CMapSession::terrainTableChanged}) {
        connect(&session, signal, this, &CMapCheckDock::RefreshLater);
    }
}

void CMapCheckDock::SetGameDataFile(const std::string& path) {
    gameDataFile = path;
    RefreshLater();
}

void CMapCheckDock::showEvent(QShowEvent* event) {
    QDockWidget::showEvent(event);
    Refresh();
}

void CMapCheckDock::RefreshLater() {
    if (isVisible()) {
        refreshTimer.start();
    }
}

void CMapCheckDock::Refresh() {
    refreshTimer.stop();
    findings.clear();
    list->clear();
    if (!session.IsOpen()) {
        return;
    }
    CTerrainTable gameData;
    const bool compare = !gameDataFile.empty() && gameData.LoadGameData(gameDataFile) == 0;
    findings = CheckMap(session.Document(), theTerrainTable, compare ? &gameData : nullptr);
    for (const MapFinding& finding : findings) {
        auto* item = new QListWidgetItem(QString::fromStdString(finding.Line()), list);
        if (finding.x < 0) {
            item->setForeground(palette().color(QPalette::Disabled, QPalette::Text));
        }
    }
    if (findings.empty()) {
        list->addItem("Nothing to report.");
    }
}
