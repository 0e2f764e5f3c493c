// The CUPS queues of this desktop and handing a job to one. CUPS's own command-line clients do
// the talking, so nothing of CUPS is linked into the programs and CUPS_SERVER is honoured.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace vx {

// The queues that take jobs, the default one first; empty when CUPS is not there.
std::vector<std::string> ListPrinters();

// Orders the names of `lpstat -e` with the one named by `lpstat -d` first.
std::vector<std::string> OrderPrinters(std::string_view destinations,
                                       std::string_view defaultAnswer);

// Hands a PostScript file to a queue on the named paper ("A4", "Letter"); false when CUPS did
// not accept it.
bool SubmitPrintJob(const std::string& printer, const std::string& postScriptFile,
                    const std::string& media, const std::string& title);

}  // namespace vx
