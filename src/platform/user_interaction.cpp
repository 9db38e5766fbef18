#include "platform/user_interaction.h"

CUserInteraction* theUserInteraction = nullptr;

MessageAnswer ShowUserMessage(const std::string& text, MessageButtons buttons, MessageIcon icon) {
    if (theUserInteraction != nullptr) {
        return theUserInteraction->ShowMessage(kAppTitle, text, buttons, icon);
    }
    switch (buttons) {
        case MessageButtons::Ok:
            return MessageAnswer::Ok;
        case MessageButtons::YesNo:
            return MessageAnswer::No;
        case MessageButtons::YesNoCancel:
        case MessageButtons::RecoverDiscardLater:
            return MessageAnswer::Cancel;
    }
    return MessageAnswer::Cancel;
}

std::optional<std::string> ChooseOpenFile(const FileChoice& choice) {
    return theUserInteraction ? theUserInteraction->ChooseFileToOpen(choice) : std::nullopt;
}

std::optional<std::string> ChooseSaveFile(const FileChoice& choice) {
    return theUserInteraction ? theUserInteraction->ChooseFileToSave(choice) : std::nullopt;
}

std::vector<std::string> ChooseOpenFiles(const FileChoice& choice) {
    return theUserInteraction ? theUserInteraction->ChooseFilesToOpen(choice)
                              : std::vector<std::string>();
}
