#pragma once

#include <QDateTime>
#include <QString>
#include <optional>
#include <string>
#include <vector>

#include "platform/process_identity.h"

// A copy of a map's unsaved changes that an editor keeps in the recovery folder, never over
// the map's own file: PID.gmp, and beside it PID.json naming the map's own file (none for a map
// never saved), the time of the last change written and the editor that wrote it.
struct RecoveryCopy {
    // The copy's map file; the sidecar is the same path ending in .json.
    std::string copyPath;
    std::string mapPath;
    QDateTime lastChange;
    ProcessIdentity writer;

    std::string SidecarPath() const;
    // "north.gmp", or "an untitled map".
    QString MapName() const;
};

// The recovery folder of this user's editors: recovery/ in the application's data folder.
std::string RecoveryFolder();
// Where this editor keeps its copy in folder: named by its process id and start time.
std::string OwnCopyPath(const std::string& folder);

// Writes the sidecar as the map files are written (aside, then put in place); false, with
// problem, when it cannot be.
bool WriteSidecar(const RecoveryCopy& copy, std::string& problem);
// The copy a sidecar describes; nothing for a sidecar that cannot be read or whose copy is gone.
std::optional<RecoveryCopy> ReadSidecar(const std::string& sidecarPath);
// Every readable copy in folder, oldest change first.
std::vector<RecoveryCopy> RecoveryCopies(const std::string& folder);
// Removes the copy and its sidecar.
void RemoveRecoveryCopy(const RecoveryCopy& copy);

// The copies whose editor is no longer running: what a starting editor offers to recover.
std::vector<RecoveryCopy> AbandonedCopies(const std::vector<RecoveryCopy>& copies);
// A copy that another running editor keeps of the map at mapPath, with its unsaved changes.
std::optional<RecoveryCopy> CopyInOtherEditor(const std::vector<RecoveryCopy>& copies,
                                              const std::string& mapPath);
