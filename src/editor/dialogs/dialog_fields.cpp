#include "editor/dialogs/dialog_fields.h"

#include <algorithm>
#include <string>

#include "platform/user_interaction.h"

namespace {

bool Refuse(QLineEdit& edit, const std::string& problem) {
    ShowUserMessage(problem, MessageButtons::Ok, MessageIcon::Exclamation);
    edit.setFocus();
    edit.selectAll();
    return false;
}

// A text that reads as a number outside the range, or as none at all because it is too long
// (the fields take only digits and a sign), is told the range.
bool ExchangeRange(QLineEdit& edit, bool isNumber, qlonglong number, int minimum, int maximum,
                   int& value) {
    if (!isNumber || number < minimum || number > maximum) {
        return Refuse(edit, QString("Please enter an integer between %1 and %2.")
                                .arg(minimum)
                                .arg(maximum)
                                .toStdString());
    }
    value = static_cast<int>(number);
    return true;
}

}  // namespace

bool ExchangeInteger(QLineEdit& edit, int minimum, int maximum, int& value) {
    const QString text = edit.text();
    if (text.isEmpty() || text == "-") {
        return Refuse(edit, "Please enter an integer.");
    }
    bool isNumber = false;
    qlonglong number = text.toLongLong(&isNumber);
    return ExchangeRange(edit, isNumber, number, minimum, maximum, value);
}

bool ExchangeUnsigned(QLineEdit& edit, int minimum, int maximum, int& value) {
    const QString text = edit.text();
    bool digitsOnly = !text.isEmpty() && std::all_of(text.begin(), text.end(), [](QChar c) {
        return c >= QChar('0') && c <= QChar('9');
    });
    if (!digitsOnly) {
        return Refuse(edit, "Please enter a positive integer.");
    }
    bool isNumber = false;
    qlonglong number = text.toLongLong(&isNumber);
    return ExchangeRange(edit, isNumber, number, minimum, maximum, value);
}

QPushButton* DialogButton(QWidget* parent, const char* text, const char* name) {
    auto* button = new QPushButton(text, parent);
    button->setObjectName(name);
    button->setAutoDefault(false);
    return button;
}
