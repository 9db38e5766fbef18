#pragma once

#include <QDateTime>
#include <QObject>
#include <QTimer>
#include <memory>
#include <string>
#include <thread>
#include <vector>

#include "document/map_snapshot.h"
#include "editor/recovery/recovery_copy.h"

class CMapSession;

// Keeps a recovery copy of the session's map while it has unsaved changes: a while after the
// last change (the idle interval), or at the latest every five minutes of continuous editing.
// The copy is a snapshot taken here, written on a worker thread so that editing never waits
// for it. Saving, discarding or replacing the map, and the end of the editor, remove the copy.
class CAutosaver : public QObject {
    Q_OBJECT

  public:
    static constexpr int kLongestWithoutCopyMs = 5 * 60 * 1000;

    CAutosaver(CMapSession& session, std::string folder);
    ~CAutosaver() override;

    void SetEnabled(bool enabled);
    void SetIdleInterval(int milliseconds);

    // Writes the copy now, if the map has unsaved changes and no copy is being written; the
    // timers call it. written() or failed() tells how it went.
    void WriteNow();
    // Waits for a copy being written.
    void Finish();
    // A copy left by an editor that ended, whose changes are now the session's map: removed
    // once this editor's own copy stands in for it, or the map is saved or discarded.
    void Adopt(const RecoveryCopy& copy);

    const std::string& CopyPath() const { return ownCopy.copyPath; }

  signals:
    void written();
    // Told once until a copy is written again.
    void failed(const QString& problem);

  private:
    void Changed();
    // No copy is needed any more: the map was saved, closed or replaced.
    void RemoveCopies();
    void Written(uint64_t ofGeneration, int result, const std::string& problem);

    CMapSession& session;
    std::string folder;
    RecoveryCopy ownCopy;
    std::vector<RecoveryCopy> adopted;
    bool enabled = true;
    bool failureTold = false;
    // Counts the copies begun and removed, so that news of a write from before the last
    // removal is let go.
    uint64_t generation = 0;
    QTimer idleTimer;
    QTimer longestTimer;
    std::unique_ptr<CMapSnapshot> snapshot;
    std::thread worker;
};
