#include "output/qt/PrintSystem.h"

#include <QtGlobal>

#include <cstdlib>
#include <filesystem>
#include <system_error>

#if defined(Q_OS_UNIX) && !defined(Q_OS_MACOS)
#include <arpa/inet.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <cerrno>
#define TAVO_CUPS_CLIENT 1
#endif

namespace tavo {
namespace {

// A file that cannot be looked at may be there.
bool mayExist(const std::string& path) {
    std::error_code error;
    const std::filesystem::file_type type = std::filesystem::status(path, error).type();
    return type != std::filesystem::file_type::not_found;
}

std::string variable(const char* name) {
    const char* value = std::getenv(name);
    return value != nullptr ? value : "";
}

#ifdef TAVO_CUPS_CLIENT
// Whether something on this machine takes connections at the address. Without a
// listener the refusal comes at once; a connection neither made nor refused in a
// moment (a firewall that drops it) counts as a yes, and the print system is asked.
template <typename Address>
bool mayAccept(int family, const Address& address) {
    const int socket = ::socket(family, SOCK_STREAM | SOCK_CLOEXEC | SOCK_NONBLOCK, 0);
    if (socket < 0) return false;
    bool accepted = ::connect(socket, reinterpret_cast<const sockaddr*>(&address), sizeof address) == 0;
    if (!accepted && errno == EINPROGRESS) {
        constexpr int kWaitMs = 200;
        pollfd connecting{socket, POLLOUT, 0};
        int error = 0;
        socklen_t size = sizeof error;
        accepted = ::poll(&connecting, 1, kWaitMs) <= 0 ||
                   (::getsockopt(socket, SOL_SOCKET, SO_ERROR, &error, &size) == 0 && error == 0);
    }
    ::close(socket);
    return accepted;
}

bool schedulerListensOn(std::uint16_t port) {
    sockaddr_in v4{};
    v4.sin_family = AF_INET;
    v4.sin_port = htons(port);
    v4.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    sockaddr_in6 v6{};
    v6.sin6_family = AF_INET6;
    v6.sin6_port = htons(port);
    v6.sin6_addr = in6addr_loopback;
    return mayAccept(AF_INET, v4) || mayAccept(AF_INET6, v6);
}
#endif

}  // namespace

CupsClientSetup currentCupsClientSetup() {
    CupsClientSetup setup;
    setup.serverOrPrinterNamed =
        !variable("CUPS_SERVER").empty() || !variable("LPDEST").empty() || !variable("PRINTER").empty();
    const std::string serverRoot = variable("CUPS_SERVERROOT");
    const std::filesystem::path system = serverRoot.empty() ? "/etc/cups" : serverRoot;
    std::vector<std::filesystem::path> folders{system};
    if (const std::string home = variable("HOME"); !home.empty()) folders.push_back(std::filesystem::path(home) / ".cups");
    const std::string configHome = variable("XDG_CONFIG_HOME");
    if (!configHome.empty()) folders.push_back(std::filesystem::path(configHome) / "cups");
    for (const std::filesystem::path& folder : folders) {
        for (const char* name : {"client.conf", "lpoptions"}) setup.configFiles.push_back((folder / name).string());
    }
    setup.schedulerSockets = {"/run/cups/cups.sock", "/var/run/cups/cups.sock"};
    return setup;
}

bool mayHaveDefaultPrinter(const CupsClientSetup& setup) {
    if (setup.serverOrPrinterNamed) return true;
    for (const std::string& file : setup.configFiles) {
        if (mayExist(file)) return true;
    }
    for (const std::string& socket : setup.schedulerSockets) {
        if (mayExist(socket)) return true;
    }
#ifdef TAVO_CUPS_CLIENT
    return schedulerListensOn(setup.schedulerPort);
#else
    return true;
#endif
}

bool printSystemMayHaveDefaultPrinter() {
#ifdef TAVO_CUPS_CLIENT
    return mayHaveDefaultPrinter(currentCupsClientSetup());
#else
    return true;
#endif
}

}  // namespace tavo
