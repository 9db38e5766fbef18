#include "editor/editor_settings.h"

#include <QFileInfo>
#include <QSettings>
#include <algorithm>

namespace {

constexpr const char* kGameDataKey = "gameDataFile";
constexpr const char* kRecentMapsKey = "recentMaps";
constexpr const char* kMapPlacesKey = "recentMapPlaces";

QString FolderKey(const char* kind) {
    return QString("folders/%1").arg(kind);
}

}  // namespace

std::string CEditorSettings::GameDataFile() {
    return QSettings().value(kGameDataKey).toString().toStdString();
}

void CEditorSettings::SetGameDataFile(const std::string& path) {
    QSettings().setValue(kGameDataKey, QFileInfo(QString::fromStdString(path)).absoluteFilePath());
}

bool CEditorSettings::KeepsRecoveryCopy() {
    return QSettings().value("recovery/keep", true).toBool();
}

int CEditorSettings::RecoveryIdleSeconds() {
    bool isNumber = false;
    const int seconds = QSettings().value("recovery/idleSeconds").toInt(&isNumber);
    return isNumber ? std::clamp(seconds, 1, 900) : kDefaultRecoveryIdleSeconds;
}

void CEditorSettings::SetRecovery(bool keep, int idleSeconds) {
    QSettings settings;
    settings.setValue("recovery/keep", keep);
    settings.setValue("recovery/idleSeconds", idleSeconds);
}

std::optional<CEditorSettings::MapPlace> CEditorSettings::PlaceOnMap(const std::string& path) {
    const QString absolute = QFileInfo(QString::fromStdString(path)).absoluteFilePath();
    const QStringList parts =
        QSettings().value(kMapPlacesKey).toMap().value(absolute).toString().split(',');
    if (parts.size() != 3) {
        return std::nullopt;
    }
    MapPlace place{parts[0].toInt(), parts[1].toInt(), parts[2].toInt()};
    return place.tileSize > 0 ? std::optional(place) : std::nullopt;
}

void CEditorSettings::SetPlaceOnMap(const std::string& path, const MapPlace& place) {
    const QString absolute = QFileInfo(QString::fromStdString(path)).absoluteFilePath();
    const QStringList recent = RecentMaps();
    if (!recent.contains(absolute)) {
        return;
    }
    QSettings settings;
    QVariantMap places = settings.value(kMapPlacesKey).toMap();
    // Places of maps that left the list go with them.
    for (auto it = places.begin(); it != places.end();) {
        it = recent.contains(it.key()) ? std::next(it) : places.erase(it);
    }
    places[absolute] = QString("%1,%2,%3").arg(place.tileSize).arg(place.column).arg(place.row);
    settings.setValue(kMapPlacesKey, places);
}

QStringList CEditorSettings::RecentMaps() {
    return QSettings().value(kRecentMapsKey).toStringList().mid(0, kMostRecentMaps);
}

void CEditorSettings::CutRecentMaps() {
    QSettings settings;
    if (settings.value(kRecentMapsKey).toStringList().size() > kMostRecentMaps) {
        settings.setValue(kRecentMapsKey, RecentMaps());
    }
}

void CEditorSettings::AddRecentMap(const std::string& path) {
    QString absolute = QFileInfo(QString::fromStdString(path)).absoluteFilePath();
    QStringList maps = RecentMaps();
    maps.removeAll(absolute);
    maps.prepend(absolute);
    while (maps.size() > kMostRecentMaps) {
        maps.removeLast();
    }
    QSettings().setValue(kRecentMapsKey, maps);
}

void CEditorSettings::RemoveRecentMap(const std::string& path) {
    QStringList maps = RecentMaps();
    maps.removeAll(QString::fromStdString(path));
    QSettings().setValue(kRecentMapsKey, maps);
}

std::string CEditorSettings::Folder(const char* kind) {
    return QSettings().value(FolderKey(kind)).toString().toStdString();
}

void CEditorSettings::RememberFolderOf(const char* kind, const std::string& path) {
    QSettings().setValue(FolderKey(kind), QFileInfo(QString::fromStdString(path)).absolutePath());
}

QStringList RecentMapLabels(const QStringList& paths) {
    QStringList labels;
    for (const QString& path : paths) {
        QString name = QFileInfo(path).fileName();
        int sharing = 0;
        for (const QString& other : paths) {
            sharing += QFileInfo(other).fileName() == name ? 1 : 0;
        }
        labels << (sharing > 1 ? path : name);
    }
    return labels;
}
