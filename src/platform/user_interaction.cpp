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
            return MessageAnswer::Cancel;
    }
    return MessageAnswer::Cancel;
}
