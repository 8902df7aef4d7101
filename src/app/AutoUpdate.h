#pragma once

#include <chrono>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "app/FileVersion.h"

namespace tavo {

class IniProfile;
class UserPrompts;

// The maker's programs that this one only starts: the updater, which does the
// network work and downloads installers, and the remote-support launcher.
inline constexpr std::string_view kUpdaterPath = "/opt/Kova-Software/Vordane";
inline constexpr std::string_view kRemoteSupportPath = "/opt/Kova-Software/kova_teamviewer_de";
inline constexpr std::string_view kUpdateApplicationName = "Tavo";
inline constexpr std::string_view kVersionInfoAddress = "https://update.kova-software.at/support/AutoUpdate/Mervik18.txt";

// The installer the updater downloads: "Upd18_0Tavo.deb" in the folder
// "Kova-Software" of the user's documents folder.
std::filesystem::path downloadedInstallerPath(const std::filesystem::path& documentsDir, const FileVersion& version,
                                              std::string_view applicationName);

// The settings section of the update keys: "Tavo_1800".
std::string updateSettingsSection(std::string_view applicationName);
inline constexpr std::string_view kIntervalKey = "AutoUpdateFlag";
inline constexpr std::string_view kLastCheckKey = "AutoUpdateTime";

// The interval: -1 at every start, 0 never, N every N days.
inline constexpr int kCheckAtEveryStart = -1;
inline constexpr int kNeverCheck = 0;
inline constexpr int kDefaultInterval = 1;

// Days from the last check, as the updater wrote it ("year.month.weekday.day.
// hour.minute.second.millisecond", UTC), to now, with the fraction: 0 when the
// check is not earlier, 999999999 when the text is no time.
double daysSinceCheck(std::string_view lastCheck, std::chrono::system_clock::time_point now);

// Whether an interval of `interval` days (N >= 1) has run out; a tenth of a day
// early counts as due.
bool intervalElapsed(int interval, double days);

// The choice of the dialog "Nach Updates suchen".
enum class IntervalChoice { None, Never, EveryStart, Daily, EveryNDays };
struct IntervalSelection {
    IntervalChoice choice = IntervalChoice::None;
    int days = 7;  // the number in the field of "Jeden ... Tag"
};
IntervalSelection selectionForInterval(int interval);
// What OK stores: for "Jeden" the field's number when it is a whole number of at
// least 1, else 7; with no button chosen, 1.
int intervalForSelection(IntervalChoice choice, std::string_view daysText);

// What the update check needs from the system.
class UpdateSystem {
public:
    struct Run {
        bool started = false;
        int exitCode = 0;     // when started and waited for
        int systemError = 0;  // when not started
    };

    virtual ~UpdateSystem() = default;
    // Starts a program with an argument vector (no shell), waiting for its end
    // when `wait`, visibly and with the wait cursor.
    virtual Run run(const std::filesystem::path& program, const std::vector<std::string>& arguments, bool wait) = 0;
    // The version of a downloaded installer; nothing when it cannot be read.
    virtual std::optional<FileVersion> installerVersion(const std::filesystem::path& installer) = 0;
};

// Where the update check finds everything of this program.
struct UpdatePlaces {
    std::filesystem::path programFile;
    FileVersion programVersion;
    std::filesystem::path settingsFile;
    std::filesystem::path updater;
    std::filesystem::path installer;
    unsigned long processId = 0;
};

// Looks for newer versions through the updater: at start-up by the interval
// set, on the user's command at once, and installs a downloaded newer version
// at the next start. Every message goes to the prompts.
class AutoUpdate {
public:
    AutoUpdate(UpdatePlaces places, UpdateSystem& system, UserPrompts& prompts);

    // True when an installer has been started and the program must end.
    bool checkAtStartup(std::chrono::system_clock::time_point now);
    void checkNow();

    // The updater's result for a mode: "11" a check shown to the user, "2" a
    // download (both waited for), "12" a check in the background (0, not
    // waited for); -1 when the updater is missing, -2 when it could not be
    // started.
    int runUpdater(std::string_view mode);
    std::vector<std::string> updaterArguments(std::string_view mode) const;
    std::vector<std::string> installerArguments() const;

private:
    bool isThisProgram() const;
    bool startInstaller();
    // Tells the user what a check or download run found.
    void reportResult(int code);
    void message(int kind, const std::string& text = {}, int number = 0);
    bool ask(int kind, const std::string& version);

    UpdatePlaces places_;
    UpdateSystem& system_;
    UserPrompts& prompts_;
    std::string section_;
    int systemError_ = 0;
};

}  // namespace tavo
