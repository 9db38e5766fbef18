#include "manual_page.h"

#include <string>

#include "exit_status.h"

namespace {

// Text as man shows it verbatim: backslashes escaped, hyphens as minus signs (options), and no
// line taken for a request.
std::string Roff(const std::string& text) {
    std::string out;
    bool lineStart = true;
    for (char c : text) {
        if (lineStart && (c == '.' || c == '\'')) {
            out += "\\&";
        }
        if (c == '\\') {
            out += "\\e";
        } else if (c == '-') {
            out += "\\-";
        } else {
            out += c;
        }
        lineStart = c == '\n';
    }
    return out;
}

}  // namespace

void PrintManualPage(std::FILE* out, const std::vector<const Subcommand*>& commands) {
    std::fprintf(out,
                 ".TH TARVO\\-MAP 1 \"\" \"Tarvo Map Editor %s\" \"User Commands\"\n"
                 ".SH NAME\n"
                 "tarvo\\-map \\- check, convert and preview Tarvo maps without a display\n"
                 ".SH SYNOPSIS\n"
                 ".B %s\n"
                 ".I COMMAND ARGUMENTS...\n"
                 ".SH DESCRIPTION\n"
                 "Checks, converts and previews the maps of the Tarvo Map Editor (.gmp files) for\n"
                 "designers and build scripts. Messages go to standard error.\n"
                 ".SH COMMANDS\n",
                 TARVO_VERSION, kToolName);
    for (const Subcommand* command : commands) {
        std::fprintf(out, ".SS \"%s %s\"\n%s.\n.PP\n.nf\n%s.fi\n", command->name,
                     Roff(command->synopsis).c_str(), Roff(command->summary).c_str(),
                     Roff(command->details).c_str());
    }
    std::fprintf(out,
                 ".SH EXIT STATUS\n"
                 "0 on success, 1 when the work failed, 2 when the command line does not say what\n"
                 "to do.\n"
                 ".SH SEE ALSO\n"
                 ".BR tarvo\\-map\\-editor (1)\n");
}
