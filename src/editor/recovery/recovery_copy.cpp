#include "editor/recovery/recovery_copy.h"

#include <unistd.h>

#include <QDir>
#include <QFileInfo>
#include <QJsonDocument>
#include <QJsonObject>
#include <QStandardPaths>
#include <algorithm>

#include "art/terrain_art.h"
#include "platform/output_file.h"

namespace {

constexpr const char* kCopySuffix = ".gmp";
constexpr const char* kSidecarSuffix = ".json";

QString Text(const std::string& text) {
    return QString::fromStdString(text);
}

// Paths compared as the files they name, where they exist.
std::string Canonical(const std::string& path) {
    const QString canonical = QFileInfo(Text(path)).canonicalFilePath();
    return canonical.isEmpty() ? path : canonical.toStdString();
}

}  // namespace

std::string RecoveryCopy::SidecarPath() const {
    std::string path = copyPath;
    if (path.size() >= 4 && path.compare(path.size() - 4, 4, kCopySuffix) == 0) {
        path.resize(path.size() - 4);
    }
    return path + kSidecarSuffix;
}

QString RecoveryCopy::MapName() const {
    return mapPath.empty() ? QString("an untitled map") : Text(FileNamePart(mapPath));
}

std::string RecoveryFolder() {
    return (QStandardPaths::writableLocation(QStandardPaths::AppLocalDataLocation) + "/recovery")
        .toStdString();
}

std::string OwnCopyPath(const std::string& folder) {
    // The start time keeps apart an editor of this id that ended before the machine restarted.
    const ProcessIdentity own = ProcessIdentity::Own();
    return folder + "/" + std::to_string(own.pid) + "-" + std::to_string(own.started) + kCopySuffix;
}

bool WriteSidecar(const RecoveryCopy& copy, std::string& problem) {
    QJsonObject fields;
    fields["map"] = copy.mapPath.empty() ? QJsonValue() : QJsonValue(Text(copy.mapPath));
    fields["lastChange"] = copy.lastChange.toUTC().toString(Qt::ISODateWithMs);
    fields["pid"] = static_cast<qint64>(copy.writer.pid);
    fields["started"] = QString::number(copy.writer.started);
    const QByteArray bytes = QJsonDocument(fields).toJson();

    COutputFile output;
    if (!output.Begin(copy.SidecarPath())) {
        problem = output.Problem();
        return false;
    }
    for (qsizetype written = 0; written < bytes.size();) {
        const ssize_t step = write(output.Descriptor(), bytes.constData() + written,
                                   static_cast<size_t>(bytes.size() - written));
        if (step <= 0) {
            problem = "the recovery sidecar could not be written";
            return false;
        }
        written += step;
    }
    if (!output.Commit()) {
        problem = output.Problem();
        return false;
    }
    return true;
}

std::optional<RecoveryCopy> ReadSidecar(const std::string& sidecarPath) {
    QFile file(Text(sidecarPath));
    // A sidecar is a few lines; anything large is not one.
    if (!file.open(QIODevice::ReadOnly) || file.size() > 64 * 1024) {
        return std::nullopt;
    }
    const QJsonObject fields = QJsonDocument::fromJson(file.readAll()).object();
    RecoveryCopy copy;
    copy.copyPath = sidecarPath.substr(0, sidecarPath.size() - 5) + kCopySuffix;
    copy.mapPath = fields["map"].toString().toStdString();
    copy.lastChange = QDateTime::fromString(fields["lastChange"].toString(), Qt::ISODateWithMs);
    copy.writer.pid = fields["pid"].toInteger();
    copy.writer.started = fields["started"].toString().toULongLong();
    if (copy.writer.pid <= 0 || !copy.lastChange.isValid() ||
        !QFileInfo(Text(copy.copyPath)).isFile()) {
        return std::nullopt;
    }
    return copy;
}

std::vector<RecoveryCopy> RecoveryCopies(const std::string& folder) {
    std::vector<RecoveryCopy> copies;
    const QStringList sidecars =
        QDir(Text(folder)).entryList({QString("*") + kSidecarSuffix}, QDir::Files);
    for (const QString& name : sidecars) {
        if (auto copy = ReadSidecar(folder + "/" + name.toStdString())) {
            copies.push_back(*copy);
        }
    }
    std::sort(copies.begin(), copies.end(), [](const RecoveryCopy& a, const RecoveryCopy& b) {
        return a.lastChange < b.lastChange;
    });
    return copies;
}

void RemoveRecoveryCopy(const RecoveryCopy& copy) {
    QFile::remove(Text(copy.copyPath));
    QFile::remove(Text(copy.SidecarPath()));
}

std::vector<RecoveryCopy> AbandonedCopies(const std::vector<RecoveryCopy>& copies) {
    std::vector<RecoveryCopy> abandoned;
    for (const RecoveryCopy& copy : copies) {
        if (!copy.writer.IsRunning()) {
            abandoned.push_back(copy);
        }
    }
    return abandoned;
}

std::optional<RecoveryCopy> CopyInOtherEditor(const std::vector<RecoveryCopy>& copies,
                                              const std::string& mapPath) {
    const std::string wanted = Canonical(mapPath);
    for (const RecoveryCopy& copy : copies) {
        if (!copy.mapPath.empty() && copy.writer.pid != ProcessIdentity::Own().pid &&
            Canonical(copy.mapPath) == wanted && copy.writer.IsRunning()) {
            return copy;
        }
    }
    return std::nullopt;
}
