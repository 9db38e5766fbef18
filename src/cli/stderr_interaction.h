#pragma once

#include "platform/user_interaction.h"

// What the core tells the user goes to standard error, one line per message. Nobody is there to
// answer: questions get the most cautious answer and file choices are cancelled.
class CStderrInteraction : public CUserInteraction {
  public:
    MessageAnswer ShowMessage(const std::string& caption, const std::string& text,
                              MessageButtons buttons, MessageIcon icon) override;
    std::optional<std::string> ChooseFileToOpen(const FileChoice& choice) override;
    std::optional<std::string> ChooseFileToSave(const FileChoice& choice) override;
    std::vector<std::string> ChooseFilesToOpen(const FileChoice& choice) override;
};
