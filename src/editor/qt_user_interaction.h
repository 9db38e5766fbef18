#pragma once

#include <QPointer>
#include <QWidget>

#include "platform/user_interaction.h"

// Asks and tells the user through Qt's message boxes and file dialogs. Installed as
// theUserInteraction for its lifetime.
class CQtUserInteraction : public CUserInteraction {
  public:
    explicit CQtUserInteraction(QWidget* parent);
    ~CQtUserInteraction() override;
    CQtUserInteraction(const CQtUserInteraction&) = delete;
    CQtUserInteraction& operator=(const CQtUserInteraction&) = delete;

    MessageAnswer ShowMessage(const std::string& caption, const std::string& text,
                              MessageButtons buttons, MessageIcon icon) override;
    std::optional<std::string> ChooseFileToOpen(const FileChoice& choice) override;
    std::optional<std::string> ChooseFileToSave(const FileChoice& choice) override;
    std::vector<std::string> ChooseFilesToOpen(const FileChoice& choice) override;

  private:
    // The chosen files; empty when the dialog was cancelled.
    std::vector<std::string> RunFileDialog(const FileChoice& choice, bool save, bool many);

    QPointer<QWidget> parent;
    CUserInteraction* previous;
};
