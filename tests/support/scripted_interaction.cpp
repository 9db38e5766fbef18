#include "support/scripted_interaction.h"

ScriptedInteraction::ScriptedInteraction() : previous(theUserInteraction) {
    theUserInteraction = this;
}

ScriptedInteraction::~ScriptedInteraction() {
    theUserInteraction = previous;
}

MessageAnswer ScriptedInteraction::ShowMessage(const std::string& caption, const std::string& text,
                                               MessageButtons buttons, MessageIcon icon) {
    messages.push_back({caption, text, buttons, icon});
    if (!answers.empty()) {
        MessageAnswer answer = answers.front();
        answers.pop_front();
        return answer;
    }
    return buttons == MessageButtons::Ok ? MessageAnswer::Ok : MessageAnswer::Cancel;
}

std::optional<std::string> ScriptedInteraction::NextFile(const FileChoice& choice) {
    fileChoices.push_back(choice);
    if (files.empty()) {
        return std::nullopt;
    }
    std::optional<std::string> file = files.front();
    files.pop_front();
    return file;
}

std::optional<std::string> ScriptedInteraction::ChooseFileToOpen(const FileChoice& choice) {
    return NextFile(choice);
}

std::optional<std::string> ScriptedInteraction::ChooseFileToSave(const FileChoice& choice) {
    return NextFile(choice);
}

std::vector<std::string> ScriptedInteraction::ChooseFilesToOpen(const FileChoice& choice) {
    fileChoices.push_back(choice);
    if (fileLists.empty()) {
        return {};
    }
    std::vector<std::string> list = fileLists.front();
    fileLists.pop_front();
    return list;
}

std::vector<std::string> ScriptedInteraction::MessageTexts() const {
    std::vector<std::string> texts;
    for (const Message& message : messages) {
        texts.push_back(message.text);
    }
    return texts;
}
