#pragma once

#include <optional>
#include <string>
#include <vector>

// Everything the program asks or tells the user goes through CUserInteraction. The core never
// shows anything itself: the editor installs a Qt implementation, the command-line tool one
// that prints to standard error, and tests a scripted one.

// RecoverDiscardLater: buttons so named, answering Yes, No and Cancel.
enum class MessageButtons { Ok, YesNo, YesNoCancel, RecoverDiscardLater };
enum class MessageIcon { None, Exclamation, Warning, Question, Information };
enum class MessageAnswer { Ok, Yes, No, Cancel };

// Caption of every message box.
inline constexpr const char* kAppTitle = "Tarvo Map Editor";

struct FileChoice {
    std::string filter;         // "Map Files (*.gmp);;All Files (*)"
    std::string defaultSuffix;  // without the dot, e.g. "gmp"
    std::string initialPath;    // a file name, a folder or a pattern such as ".../maps/*.gmp"
    bool promptOverwrite = false;
};

class CUserInteraction {
  public:
    virtual ~CUserInteraction() = default;

    virtual MessageAnswer ShowMessage(const std::string& caption, const std::string& text,
                                      MessageButtons buttons, MessageIcon icon) = 0;
    // A path, or nothing when the user cancelled.
    virtual std::optional<std::string> ChooseFileToOpen(const FileChoice& choice) = 0;
    virtual std::optional<std::string> ChooseFileToSave(const FileChoice& choice) = 0;
    // Full paths in the order chosen; empty when the user cancelled.
    virtual std::vector<std::string> ChooseFilesToOpen(const FileChoice& choice) = 0;
};

// The installed implementation, or null.
extern CUserInteraction* theUserInteraction;

// The file choices of theUserInteraction; without an implementation the user cancelled.
std::optional<std::string> ChooseOpenFile(const FileChoice& choice);
std::optional<std::string> ChooseSaveFile(const FileChoice& choice);
std::vector<std::string> ChooseOpenFiles(const FileChoice& choice);

// Shows text with the program's caption through theUserInteraction. Without an implementation
// nothing is shown and the answer is the most cautious one the buttons allow (Ok, No, Cancel).
MessageAnswer ShowUserMessage(const std::string& text, MessageButtons buttons, MessageIcon icon);
