#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace tavo {

// What a CUPS client consults to find its print server and the user's default printer.
struct CupsClientSetup {
    bool serverOrPrinterNamed = false;     // CUPS_SERVER, LPDEST or PRINTER is set
    std::vector<std::string> configFiles;  // client.conf and lpoptions, the system's and the user's
    std::vector<std::string> schedulerSockets;
    std::uint16_t schedulerPort = 631;     // on this machine
};

CupsClientSetup currentCupsClientSetup();

// False only when no print server can answer and no default printer is named, so
// that there is no default printer to ask for. Asking loads the print system's
// client libraries, a noticeable part of a command-line export.
bool mayHaveDefaultPrinter(const CupsClientSetup& setup);

// Whether asking the print system for its default printer can give one. Only a CUPS
// client is judged beforehand; elsewhere the answer is always yes.
bool printSystemMayHaveDefaultPrinter();

}  // namespace tavo
