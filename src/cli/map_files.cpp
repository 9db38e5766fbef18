#include "map_files.h"

#include "exit_status.h"

bool LoadMapFile(CMapDocument& map, const std::string& path) {
    std::string reason;
    if (map.Load(path, &reason) != 0) {
        ReportFailure("Unable to load map", path, reason);
        return false;
    }
    return true;
}

bool SaveMapFile(CMapDocument& map, const std::string& path) {
    std::string reason;
    if (map.Save(path, &reason) != 0) {
        ReportFailure("Unable to save map", path, reason);
        return false;
    }
    return true;
}
