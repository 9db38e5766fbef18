#include "foundation/lib_object.h"

#include <cinttypes>
#include <cstdint>
#include <cstdio>

#include "foundation/diagnostic_log.h"

void LibObject::Dump() const {
    if (name) {
        LogMessage(theDiagnosticLog, kLogInfo, "LibObject(%s)", name->c_str());
        return;
    }
    char address[32];
    std::snprintf(address, sizeof address, "0x%016" PRIxPTR,
                  reinterpret_cast<std::uintptr_t>(this));
    LogMessage(theDiagnosticLog, kLogInfo, "LibObject(%s)", address);
}
