#include "editor/qt_user_interaction.h"

#include <QAbstractButton>
#include <QFileDialog>
#include <QFileInfo>
#include <QMessageBox>

namespace {

QMessageBox::Icon BoxIcon(MessageIcon icon) {
    switch (icon) {
        case MessageIcon::Exclamation:
        case MessageIcon::Warning:
            return QMessageBox::Warning;
        case MessageIcon::Question:
            return QMessageBox::Question;
        case MessageIcon::Information:
            return QMessageBox::Information;
        case MessageIcon::None:
            break;
    }
    return QMessageBox::NoIcon;
}

QMessageBox::StandardButtons BoxButtons(MessageButtons buttons) {
    switch (buttons) {
        case MessageButtons::YesNo:
            return QMessageBox::Yes | QMessageBox::No;
        case MessageButtons::YesNoCancel:
        case MessageButtons::RecoverDiscardLater:
            return QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel;
        case MessageButtons::Ok:
            break;
    }
    return QMessageBox::Ok;
}

MessageAnswer Answer(int button) {
    switch (button) {
        case QMessageBox::Yes:
            return MessageAnswer::Yes;
        case QMessageBox::No:
            return MessageAnswer::No;
        case QMessageBox::Ok:
            return MessageAnswer::Ok;
        default:
            return MessageAnswer::Cancel;
    }
}

// Points the dialog at the initial path: a file name to propose, or a pattern such as
// ".../maps/*.gmp" whose folder is the one to open. A folder that does not exist gives way to
// the nearest one that does.
void StartAt(QFileDialog& dialog, const std::string& initialPath) {
    if (initialPath.empty()) {
        return;
    }
    QFileInfo initial(QString::fromStdString(initialPath));
    QDir folder = initial.absoluteDir();
    while (!folder.exists() && folder.cdUp()) {
    }
    dialog.setDirectory(folder);
    if (!initial.fileName().contains('*')) {
        dialog.selectFile(initial.fileName());
    }
}

}  // namespace

CQtUserInteraction::CQtUserInteraction(QWidget* parent)
    : parent(parent), previous(theUserInteraction) {
    theUserInteraction = this;
}

CQtUserInteraction::~CQtUserInteraction() {
    theUserInteraction = previous;
}

MessageAnswer CQtUserInteraction::ShowMessage(const std::string& caption, const std::string& text,
                                              MessageButtons buttons, MessageIcon icon) {
    QMessageBox box(BoxIcon(icon), QString::fromStdString(caption), QString::fromStdString(text),
                    BoxButtons(buttons), parent);
    if (buttons == MessageButtons::RecoverDiscardLater) {
        box.button(QMessageBox::Yes)->setText("&Recover");
        box.button(QMessageBox::No)->setText("&Discard");
        box.button(QMessageBox::Cancel)->setText("&Later");
    }
    return Answer(box.exec());
}

std::vector<std::string> CQtUserInteraction::RunFileDialog(const FileChoice& choice, bool save,
                                                           bool many) {
    QFileDialog dialog(parent, save ? "Save As" : "Open");
    dialog.setAcceptMode(save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
    dialog.setFileMode(save   ? QFileDialog::AnyFile
                       : many ? QFileDialog::ExistingFiles
                              : QFileDialog::ExistingFile);
    dialog.setNameFilters(QString::fromStdString(choice.filter).split(";;"));
    dialog.setDefaultSuffix(QString::fromStdString(choice.defaultSuffix));
    dialog.setOption(QFileDialog::DontConfirmOverwrite, !choice.promptOverwrite);
    StartAt(dialog, choice.initialPath);
    std::vector<std::string> files;
    if (dialog.exec() == QDialog::Accepted) {
        for (const QString& file : dialog.selectedFiles()) {
            files.push_back(file.toStdString());
        }
    }
    return files;
}

std::optional<std::string> CQtUserInteraction::ChooseFileToOpen(const FileChoice& choice) {
    std::vector<std::string> files = RunFileDialog(choice, false, false);
    return files.empty() ? std::nullopt : std::optional(files.front());
}

std::optional<std::string> CQtUserInteraction::ChooseFileToSave(const FileChoice& choice) {
    std::vector<std::string> files = RunFileDialog(choice, true, false);
    return files.empty() ? std::nullopt : std::optional(files.front());
}

std::vector<std::string> CQtUserInteraction::ChooseFilesToOpen(const FileChoice& choice) {
    return RunFileDialog(choice, false, true);
}
