#include "app/AutoUpdate.h"

#include <algorithm>
#include <cctype>
#include <charconv>
#include <cstdio>
#include <fstream>
#include <system_error>
#include <utility>

#include "file/IniProfile.h"
#include "model/Numbers.h"
#include "model/UserPrompts.h"

namespace tavo {
namespace fs = std::filesystem;

namespace {

constexpr double kUnreadableTime = 999999999.0;
constexpr const char* kUnknownVersion = "?.?.?.?";

bool equalIgnoringCase(std::string_view a, std::string_view b) {
    return std::ranges::equal(a, b, [](char x, char y) {
        return std::tolower(static_cast<unsigned char>(x)) == std::tolower(static_cast<unsigned char>(y));
    });
}

std::optional<std::chrono::system_clock::time_point> checkTime(std::string_view text) {
    short year = 0, month = 0, weekday = 0, day = 0, hour = 0, minute = 0, second = 0, millisecond = 0;
    const std::string copy(text);
    if (std::sscanf(copy.c_str(), "%hd.%hd.%hd.%hd.%hd.%hd.%hd.%hd", &year, &month, &weekday, &day, &hour, &minute,
                    &second, &millisecond) != 8)
        return std::nullopt;
    using namespace std::chrono;
    const year_month_day date{std::chrono::year(year), std::chrono::month(static_cast<unsigned>(month)),
                              std::chrono::day(static_cast<unsigned>(day))};
    if (year < 1601 || month < 1 || day < 1 || !date.ok() || hour < 0 || hour > 23 || minute < 0 || minute > 59 ||
        second < 0 || second > 59 || millisecond < 0 || millisecond > 999)
        return std::nullopt;
    return sys_days(date) + hours(hour) + minutes(minute) + seconds(second) + milliseconds(millisecond);
}

// The first word of the text file the updater leaves beside the installer.
std::string announcedVersion(const fs::path& file) {
    std::ifstream in(file);
    std::string word;
    if (!(in >> word)) return kUnknownVersion;
    return word.substr(0, 99);
}

fs::path withExtension(fs::path path, std::string_view extension) { return path.replace_extension(extension); }

}  // namespace

fs::path downloadedInstallerPath(const fs::path& documentsDir, const FileVersion& version, std::string_view applicationName) {
    return documentsDir / "Kova-Software" /
           (formatString("Upd%d_%d", version.major, version.minor) + std::string(applicationName) + ".deb");
}

std::string updateSettingsSection(std::string_view applicationName) { return std::string(applicationName) + "_1800"; }

double daysSinceCheck(std::string_view lastCheck, std::chrono::system_clock::time_point now) {
    const auto then = checkTime(lastCheck);
    if (!then) return kUnreadableTime;
    if (*then >= now) return 0.0;
    return std::chrono::duration<double, std::ratio<86400>>(now - *then).count();
}

bool intervalElapsed(int interval, double days) { return days - interval > -0.1; }

IntervalSelection selectionForInterval(int interval) {
    switch (interval) {
        case kNeverCheck: return {IntervalChoice::Never};
        case kCheckAtEveryStart: return {IntervalChoice::EveryStart};
        case 1: return {IntervalChoice::Daily};
        default: return interval > 1 ? IntervalSelection{IntervalChoice::EveryNDays, interval} : IntervalSelection{};
    }
}

int intervalForSelection(IntervalChoice choice, std::string_view daysText) {
    switch (choice) {
        case IntervalChoice::Never: return kNeverCheck;
        case IntervalChoice::EveryStart: return kCheckAtEveryStart;
        case IntervalChoice::Daily: return 1;
        case IntervalChoice::EveryNDays: {
            int days = 0;
            const auto [end, error] = std::from_chars(daysText.data(), daysText.data() + daysText.size(), days);
            return error == std::errc() && end == daysText.data() + daysText.size() && days >= 1 ? days : 7;
        }
        case IntervalChoice::None: break;
    }
    return kDefaultInterval;
}

AutoUpdate::AutoUpdate(UpdatePlaces places, UpdateSystem& system, UserPrompts& prompts)
    : places_(std::move(places)), system_(system), prompts_(prompts), section_(updateSettingsSection(kUpdateApplicationName)) {}

bool AutoUpdate::isThisProgram() const {
    return equalIgnoringCase(places_.programFile.stem().string(), kUpdateApplicationName);
}

std::vector<std::string> AutoUpdate::updaterArguments(std::string_view mode) const {
    const std::pair<char, std::string> options[] = {
        {'i', std::string(mode)},
        {'a', std::string(kUpdateApplicationName)},
        {'d', formatFileVersion(places_.programVersion)},
        {'v', std::string(kVersionInfoAddress)},
        {'f', places_.settingsFile.string()},
        {'s', section_},
    };
    std::vector<std::string> arguments;
    for (const auto& [letter, value] : options) {
        if (!value.empty()) arguments.push_back(std::string{'-', letter} + value);
    }
    return arguments;
}

std::vector<std::string> AutoUpdate::installerArguments() const {
    const std::string folder = places_.programFile.parent_path().string();
    return {formatString("-e%lx", places_.processId), "-v" + folder, "-p" + folder, "-a" + places_.programFile.string(),
            places_.installer.string()};
}

int AutoUpdate::runUpdater(std::string_view mode) {
    std::error_code error;
    if (!fs::exists(places_.updater, error)) return -1;
    const bool wait = mode != "12";
    const UpdateSystem::Run run = system_.run(places_.updater, updaterArguments(mode), wait);
    if (!run.started) {
        systemError_ = run.systemError;
        return -2;
    }
    return wait ? run.exitCode : 0;
}

bool AutoUpdate::startInstaller() {
    const UpdateSystem::Run run = system_.run(places_.updater, installerArguments(), false);
    if (!run.started) message(10, places_.installer.string(), run.systemError);
    return run.started;
}

bool AutoUpdate::checkAtStartup(std::chrono::system_clock::time_point now) {
    if (!isThisProgram()) return false;

    const IniProfile settings(places_.settingsFile);
    // The updater writes both keys; a section with neither has not been found.
    const std::string lastCheck = settings.getString(section_, kLastCheckKey, "");
    const bool sectionFound = !lastCheck.empty() || !settings.getString(section_, kIntervalKey, "").empty();
    const int interval = sectionFound ? settings.getInt(section_, kIntervalKey, kDefaultInterval) : kCheckAtEveryStart;

    std::error_code error;
    if (fs::exists(places_.installer, error)) {
        if (const auto version = system_.installerVersion(places_.installer)) {
            if (*version > places_.programVersion) {
                if (ask(1, formatFileVersion(*version))) return startInstaller();
                return false;
            }
            fs::remove(places_.installer, error);
        }
    }

    if (interval == kNeverCheck) return false;
    if (interval != kCheckAtEveryStart && !intervalElapsed(interval, daysSinceCheck(lastCheck, now))) return false;
    runUpdater("12");
    return false;
}

void AutoUpdate::checkNow() {
    if (!isThisProgram()) return;
    int code = runUpdater("11");
    if (code == 6) {
        const fs::path versionFile = withExtension(places_.installer, ".txt");
        const std::string version = announcedVersion(versionFile);
        std::error_code error;
        fs::remove(versionFile, error);
        if (!ask(2, version)) return;
        code = runUpdater("2");
    }
    reportResult(code);
}

void AutoUpdate::reportResult(int code) {
    switch (code) {
        case -2: return message(11, places_.updater.string(), systemError_);
        case -1: return message(15, places_.updater.string());
        case 1: return message(14);
        case 2: case 3: case 11: case 13: case 15: case 16: return message(12, {}, code);
        case 12: case 14: return message(13);
        case 4: return message(4);
        case 5: case 9: case 10: return message(5);
        case 7: case 8: {
            const auto version = system_.installerVersion(places_.installer);
            return message(3, version ? formatFileVersion(*version) : kUnknownVersion);
        }
        default: return;
    }
}

void AutoUpdate::message(int kind, const std::string& text, int number) {
    switch (kind) {
        case 3: return prompts_.information(formatString("Neue Version wird beim nächsten Aufruf installiert (%s)!", text.c_str()));
        case 4: return prompts_.information("Installierte Version ist aktuell!");
        case 5: return prompts_.information("Keine neuere Version gefunden!");
        case 10: return prompts_.warning(formatString("Fehler beim Aufruf des Updaters %s\nStatus: %d", text.c_str(), number));
        case 11: return prompts_.warning(formatString("Fehler beim Aufruf des Downloaders %s\nStatus: %d", text.c_str(), number));
        case 12: return prompts_.warning(formatString("Fehler beim Überprüfen auf neue Version [%d]!", number));
        case 13: return prompts_.warning("Download abgebrochen!");
        case 14: return prompts_.warning("Download läuft bereits!");
        case 15: return prompts_.warning(formatString("Programm %s nicht installiert!", text.c_str()));
        default: return prompts_.warning("unbekannte Meldung");
    }
}

bool AutoUpdate::ask(int kind, const std::string& version) {
    const char* format = kind == 1 ? "Neue Version %s gefunden!\nJetzt installieren?" : "Neue Version %s gefunden!\nJetzt herunterladen?";
    return prompts_.askYesNo(formatString(format, version.c_str()), true);
}

}  // namespace tavo
