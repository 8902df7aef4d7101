#include <gtest/gtest.h>

#include <chrono>
#include <deque>
#include <filesystem>

#include "TextFileHelpers.h"
#include "app/AutoUpdate.h"
#include "file/IniProfile.h"
#include "support/ScriptedPrompts.h"

namespace tavo {
namespace {

namespace fs = std::filesystem;
using namespace std::chrono;
using Texts = std::vector<std::string>;

// Records the arguments of every run of the updater, joined by blanks, and
// answers with the exit codes given, one per run waited for; 99 when they run out.
class ScriptedSystem : public UpdateSystem {
public:
    Run run(const fs::path&, const std::vector<std::string>& arguments, bool wait) override {
        if (startError != 0) return {false, 0, startError};
        std::string joined;
        for (const std::string& argument : arguments) joined += (joined.empty() ? "" : " ") + argument;
        runs.push_back(joined);
        if (!wait) return {true, 0, 0};
        const int code = codes.empty() ? 99 : codes.front();
        if (!codes.empty()) codes.pop_front();
        return {true, code, 0};
    }
    std::optional<FileVersion> installerVersion(const fs::path&) override { return installer; }

    std::deque<int> codes;
    int startError = 0;
    Texts runs;
    std::optional<FileVersion> installer;
};

class UpdateCheck : public ::testing::Test {
protected:
    UpdateCheck() { test::writeText(updater, ""); }

    test::TemporaryFolder root;
    fs::path updater = root.path() / "Vordane";
    UpdatePlaces places{root.path() / "bin" / "tavo", {18, 0, 0, 1}, root.path() / "Tavo.ini", updater,
                        root.path() / "Dokumente" / "Kova-Software" / "Upd18_0Tavo.deb", 0x1a2b};
    ScriptedSystem system;
    ScriptedPrompts prompts;

    void forget() {
        system.runs.clear();
        prompts.shown.clear();
    }

    void placeInstaller(FileVersion version) {
        fs::create_directories(places.installer.parent_path());
        test::writeText(places.installer, "package");
        system.installer = version;
    }

    AutoUpdate update() { return AutoUpdate(places, system, prompts); }

    std::string options(const char* mode) const {
        return std::string("-i") + mode + " -aTavo -d18.0.0.1 -v" + std::string(kVersionInfoAddress) + " -f" +
               places.settingsFile.string() + " -sTavo_1800";
    }
};

TEST_F(UpdateCheck, EveryExitCodeOfTheInteractiveCheckHasItsMessage) {
    // One exit code of each outcome.
    const std::pair<int, std::string> cases[] = {
        {1, "Download läuft bereits!"}, {4, "Installierte Version ist aktuell!"},
        {7, "Neue Version wird beim nächsten Aufruf installiert (18.1.0.0)!"},
        {8, "Neue Version wird beim nächsten Aufruf installiert (?.?.?.?)!"}, {14, "Download abgebrochen!"},
        {10, "Keine neuere Version gefunden!"}, {13, "Fehler beim Überprüfen auf neue Version [13]!"}};
    for (const auto& [code, expected] : cases) {
        forget();
        system.codes = {code};
        system.installer = code == 7 ? std::optional<FileVersion>(FileVersion{18, 1, 0, 0}) : std::nullopt;
        update().checkNow();
        EXPECT_EQ(prompts.shown, Texts{expected}) << "exit code " << code;
    }
    forget();
    system.codes = {0};
    update().checkNow();
    EXPECT_EQ(prompts.shown, Texts{}) << "exit code 0 says nothing";
    EXPECT_EQ(system.runs, Texts{options("11")});
}

TEST_F(UpdateCheck, AMissingOrUnstartableUpdaterIsNamed) {
    fs::remove(updater);
    update().checkNow();
    EXPECT_EQ(prompts.shown, Texts{"Programm " + updater.string() + " nicht installiert!"});

    test::writeText(updater, "");
    system.startError = 13;
    prompts.shown.clear();
    update().checkNow();
    EXPECT_EQ(prompts.shown, Texts{"Fehler beim Aufruf des Downloaders " + updater.string() + "\nStatus: 13"});
}

TEST_F(UpdateCheck, ANewerVersionOnTheServerIsDownloadedWhenTheUserAgrees) {
    system.codes = {6, 7};
    const fs::path versionFile = root.path() / "Dokumente" / "Kova-Software" / "Upd18_0Tavo.txt";
    fs::create_directories(versionFile.parent_path());
    test::writeText(versionFile, "18.2.0.0 vom 1.3.2027\n");
    system.installer = FileVersion{18, 2, 0, 0};
    prompts.answers = {Answer::Yes};
    update().checkNow();
    EXPECT_EQ(prompts.shown, (Texts{"Neue Version 18.2.0.0 gefunden!\nJetzt herunterladen?",
                                    "Neue Version wird beim nächsten Aufruf installiert (18.2.0.0)!"}));
    EXPECT_EQ(system.runs, (Texts{options("11"), options("2")}));
    EXPECT_FALSE(fs::exists(versionFile));

    // "No" downloads nothing.
    forget();
    system.codes = {6};
    prompts.answers = {Answer::No};
    update().checkNow();
    EXPECT_EQ(system.runs, Texts{options("11")});
}

TEST_F(UpdateCheck, ADownloadedInstallerIsInstalledAtTheStartOnlyIfNewerAndWanted) {
    placeInstaller({18, 0, 0, 2});
    prompts.answers = {Answer::Yes, Answer::No};
    EXPECT_TRUE(update().checkAtStartup(system_clock::now()));
    EXPECT_EQ(prompts.shown, Texts{"Neue Version 18.0.0.2 gefunden!\nJetzt installieren?"});
    const std::string folder = places.programFile.parent_path().string();
    EXPECT_EQ(system.runs, Texts{"-e1a2b -v" + folder + " -p" + folder + " -a" + places.programFile.string() + " " +
                                    places.installer.string()});

    // "No" starts the program as usual and skips this start's check.
    forget();
    EXPECT_FALSE(update().checkAtStartup(system_clock::now()));
    EXPECT_EQ(system.runs, Texts{});
    EXPECT_TRUE(fs::exists(places.installer));

    // One that is not newer is deleted without a word, and the check runs.
    prompts.shown.clear();
    for (const FileVersion version : {FileVersion{18, 0, 0, 1}, FileVersion{17, 9, 9, 9}}) {
        system.runs.clear();
        placeInstaller(version);
        EXPECT_FALSE(update().checkAtStartup(system_clock::now()));
        EXPECT_FALSE(fs::exists(places.installer));
        EXPECT_EQ(system.runs, Texts{options("12")});
    }
    EXPECT_EQ(prompts.shown, Texts{});
}

TEST_F(UpdateCheck, TheStartUpCheckFollowsTheInterval) {
    IniProfile settings(places.settingsFile);
    const auto now = sys_days(2027y / 3 / 10) + 12h;
    settings.writeString("Tavo_1800", "AutoUpdateTime", "2027.3.3.9.12.0.0.0");  // a day ago
    for (const int interval : {0, 2, 1}) {
        settings.writeInt("Tavo_1800", "AutoUpdateFlag", interval);
        EXPECT_FALSE(update().checkAtStartup(now));
    }
    EXPECT_EQ(system.runs, Texts{options("12")});

    settings.writeInt("Tavo_1800", "AutoUpdateFlag", -1);
    update().checkAtStartup(now);
    EXPECT_EQ(system.runs.size(), 2U);

    // Without the section, every start checks; without the updater, quietly nothing.
    fs::remove(places.settingsFile);
    update().checkAtStartup(now);
    EXPECT_EQ(system.runs.size(), 3U);
    fs::remove(updater);
    EXPECT_FALSE(update().checkAtStartup(now));
    EXPECT_EQ(prompts.shown, Texts{});
}

TEST_F(UpdateCheck, AProgramOfAnotherNameNeverChecks) {
    system.codes = {4};
    places.programFile = root.path() / "bin" / "tavo-test";
    placeInstaller({19, 0, 0, 0});
    EXPECT_FALSE(update().checkAtStartup(system_clock::now()));
    update().checkNow();
    EXPECT_EQ(prompts.shown, Texts{});
    EXPECT_EQ(system.runs, Texts{});
}

TEST(UpdateInterval, IsDueATenthOfADayEarly) {
    const auto now = sys_days(2027y / 3 / 10) + 12h;
    // 2.95 and 2.85 days before noon of 10 March.
    const double justDue = daysSinceCheck("2027.3.0.7.13.12.0.0", now);
    const double notYet = daysSinceCheck("2027.3.0.7.15.36.0.0", now);
    EXPECT_NEAR(justDue, 2.95, 1e-9);
    EXPECT_TRUE(intervalElapsed(3, justDue));
    EXPECT_NEAR(notYet, 2.85, 1e-9);
    EXPECT_FALSE(intervalElapsed(3, notYet));

    EXPECT_EQ(daysSinceCheck("2027.3.3.11.8.0.0.0", now), 0.0) << "a check in the future";
    for (const char* unreadable : {"", "2027.3.3.10", "2027.2.0.30.12.0.0.0", "2027.3.3.10.24.0.0.0", "gestern"})
        EXPECT_EQ(daysSinceCheck(unreadable, now), 999999999.0) << unreadable;
}

TEST(UpdatePlacesOnLinux, TheInstallerIsNamedAfterVersionAndProgram) {
    EXPECT_EQ(downloadedInstallerPath("/home/ing/Dokumente", {18, 0, 0, 1}, "Tavo"),
              fs::path("/home/ing/Dokumente/Kova-Software/Upd18_0Tavo.deb"));
}

}  // namespace
}  // namespace tavo
