#include "editor/recovery/autosaver.h"

#include <QDir>
#include <QFile>

#include "editor/map_session.h"

CAutosaver::CAutosaver(CMapSession& session, std::string folder)
    : session(session), folder(std::move(folder)) {
    ownCopy.copyPath = OwnCopyPath(this->folder);
    ownCopy.writer = ProcessIdentity::Own();
    idleTimer.setSingleShot(true);
    idleTimer.setInterval(60 * 1000);
    longestTimer.setSingleShot(true);
    longestTimer.setInterval(kLongestWithoutCopyMs);
    connect(&idleTimer, &QTimer::timeout, this, &CAutosaver::WriteNow);
    connect(&longestTimer, &QTimer::timeout, this, &CAutosaver::WriteNow);
    connect(&session, &CMapSession::historyChanged, this, &CAutosaver::Changed);
    connect(&session, &CMapSession::opened, this, &CAutosaver::RemoveCopies);
    connect(&session, &CMapSession::closed, this, &CAutosaver::RemoveCopies);
}

CAutosaver::~CAutosaver() {
    RemoveCopies();
}

void CAutosaver::SetEnabled(bool on) {
    enabled = on;
    if (!enabled) {
        RemoveCopies();
    } else if (session.IsModified()) {
        Changed();
    }
}

void CAutosaver::SetIdleInterval(int milliseconds) {
    idleTimer.setInterval(milliseconds);
}

void CAutosaver::Changed() {
    if (!session.IsModified()) {
        RemoveCopies();
        return;
    }
    ownCopy.lastChange = QDateTime::currentDateTime();
    if (!enabled) {
        return;
    }
    idleTimer.start();
    if (!longestTimer.isActive()) {
        longestTimer.start();
    }
}

void CAutosaver::WriteNow() {
    if (!enabled || !session.IsModified() || worker.joinable()) {
        return;
    }
    idleTimer.stop();
    longestTimer.stop();
    // The art copy of the last snapshot is taken over when the art did not change since.
    snapshot = std::make_unique<CMapSnapshot>(session.Document(), theTerrainTable,
                                              session.ArtRevision(), snapshot.get());
    RecoveryCopy copy = ownCopy;
    copy.mapPath = session.FilePath();
    CMapSnapshot* writing = snapshot.get();
    const uint64_t thisWrite = ++generation;
    worker = std::thread([this, writing, copy, thisWrite] {
        std::string problem;
        int result = QDir().mkpath(QString::fromStdString(folder)) ? 0 : kMapCannotOpen;
        if (result != 0) {
            problem = "the folder " + folder + " cannot be made";
        } else {
            result = writing->Save(copy.copyPath, &problem);
        }
        if (result == 0 && !WriteSidecar(copy, problem)) {
            result = kMapWriteFailed;
        }
        QMetaObject::invokeMethod(
            this, [this, thisWrite, result, problem] { Written(thisWrite, result, problem); },
            Qt::QueuedConnection);
    });
}

void CAutosaver::Finish() {
    if (worker.joinable()) {
        worker.join();
    }
}

void CAutosaver::Written(uint64_t ofGeneration, int result, const std::string& problem) {
    if (ofGeneration != generation) {
        return;  // the copy was removed meanwhile
    }
    Finish();
    if (result != 0) {
        if (!failureTold) {
            failureTold = true;
            emit failed(QString::fromStdString("A recovery copy could not be written: " + problem));
        }
        // Tried again after the next interval.
        idleTimer.start();
        return;
    }
    failureTold = false;
    for (const RecoveryCopy& old : adopted) {
        RemoveRecoveryCopy(old);
    }
    adopted.clear();
    emit written();
}

void CAutosaver::Adopt(const RecoveryCopy& copy) {
    adopted.push_back(copy);
}

void CAutosaver::RemoveCopies() {
    idleTimer.stop();
    longestTimer.stop();
    Finish();
    ++generation;
    // A finished write may have put a copy in place whose news is still on its way.
    RemoveRecoveryCopy(ownCopy);
    for (const RecoveryCopy& old : adopted) {
        RemoveRecoveryCopy(old);
    }
    adopted.clear();
}
