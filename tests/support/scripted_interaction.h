#pragma once

#include <deque>
#include <optional>
#include <string>
#include <vector>

#include "platform/user_interaction.h"

// Answers questions and file choices from a script and records what was shown. Installed as
// theUserInteraction for its lifetime. Without a scripted answer a message gets Ok (or Cancel
// for questions) and a file choice is cancelled.
class ScriptedInteraction : public CUserInteraction {
  public:
    struct Message {
        std::string caption;
        std::string text;
        MessageButtons buttons;
        MessageIcon icon;
    };

    ScriptedInteraction();
    ~ScriptedInteraction() override;

    MessageAnswer ShowMessage(const std::string& caption, const std::string& text,
                              MessageButtons buttons, MessageIcon icon) override;
    std::optional<std::string> ChooseFileToOpen(const FileChoice& choice) override;
    std::optional<std::string> ChooseFileToSave(const FileChoice& choice) override;
    std::vector<std::string> ChooseFilesToOpen(const FileChoice& choice) override;

    std::vector<std::string> MessageTexts() const;

    std::deque<MessageAnswer> answers;
    std::deque<std::optional<std::string>> files;
    std::deque<std::vector<std::string>> fileLists;

    std::vector<Message> messages;
    std::vector<FileChoice> fileChoices;

  private:
    std::optional<std::string> NextFile(const FileChoice& choice);
    CUserInteraction* previous;
};
