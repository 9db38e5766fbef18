#include "stderr_interaction.h"

#include <cstdio>

#include "exit_status.h"
#include "map_json.h"

MessageAnswer CStderrInteraction::ShowMessage(const std::string&, const std::string& text,
                                              MessageButtons buttons, MessageIcon) {
    std::fprintf(stderr, "%s: %s\n", kToolName, PrintableText(text).c_str());
    if (buttons == MessageButtons::Ok) {
        return MessageAnswer::Ok;
    }
    return buttons == MessageButtons::YesNo ? MessageAnswer::No : MessageAnswer::Cancel;
}

std::optional<std::string> CStderrInteraction::ChooseFileToOpen(const FileChoice&) {
    return std::nullopt;
}

std::optional<std::string> CStderrInteraction::ChooseFileToSave(const FileChoice&) {
    return std::nullopt;
}

std::vector<std::string> CStderrInteraction::ChooseFilesToOpen(const FileChoice&) {
    return {};
}
