#include "platform/error_collector.h"

#include "foundation/diagnostic_log.h"
#include "platform/user_interaction.h"

void ReportError(const std::string& message, int& errorCount) {
    if (errorCount < kShownErrorLimit) {
        ShowUserMessage(message, MessageButtons::Ok, MessageIcon::None);
    } else if (errorCount == kShownErrorLimit) {
        ShowUserMessage(kMoreErrorsNotice, MessageButtons::Ok, MessageIcon::None);
    }
    ++errorCount;
    LogMessage(theDiagnosticLog, kLogError, "%s", message.c_str());
}
