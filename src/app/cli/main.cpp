// tavo-cli: project files without the user interface, for scripts, checks of the
// file format and exchange with other programs through JSON.

#include <QCoreApplication>
#include <QFile>
#include <QStringList>

#include <algorithm>
#include <cerrno>
#include <clocale>
#include <cstdio>
#include <filesystem>
#include <initializer_list>
#include <memory>
#include <string>

#ifdef __GLIBC__
#include <malloc.h>
#endif

#include "app/cli/LibraryListing.h"
#include "app/cli/PdfListing.h"
#include "app/cli/ProjectJson.h"
#include "app/cli/TextListing.h"
#include "file/BinFile.h"
#include "file/ProjectFile.h"
#include "file/TextFile.h"

namespace tavo {
namespace {

constexpr int kExitFailure = 1;
constexpr int kExitUsage = 2;

// A run is short, and Qt's PDF writer sets up and drops its compressor and buffers for
// every page: the C library would hand that memory back to the system each time and
// fault it in again, page by page, for the next one. Kept for the run, it is reused.
void keepFreedMemoryForTheRun() {
#ifdef __GLIBC__
    constexpr int kLargeBlock = 32 << 20;
    mallopt(M_MMAP_THRESHOLD, kLargeBlock);
    mallopt(M_TRIM_THRESHOLD, 2 * kLargeBlock);
#endif
}

constexpr const char* kHelp =
    "Aufruf: tavo-cli BEFEHL [ARGUMENTE]\n"
    "\n"
    "Liest und schreibt Tavo-Projektdateien (.tavo) ohne Benutzeroberfläche.\n"
    "\n"
    "Befehle:\n"
    "  new ZIEL.tavo                  schreibt ein neues Projekt\n"
    "  json DATEI.tavo                gibt das Projekt als JSON aus\n"
    "  import EINGABE.json ZIEL.tavo  baut ein Projekt aus JSON und schreibt es\n"
    "  library [--json]               gibt die eingebauten Lasttabellen aus\n"
    "  pdf DATEI.tavo ZIEL.pdf [--settings DATEI.ini]\n"
    "                                 schreibt die Bauwaage als PDF, mit den\n"
    "                                 Druckeinstellungen aus Tavo.ini oder DATEI.ini\n"
    "  text DATEI.tavo [--settings DATEI.ini]\n"
    "                                 gibt die Bauwaage als Text aus, Seite für Seite,\n"
    "                                 mit einem Seitenvorschub zwischen den Seiten\n"
    "\n"
    "Optionen:\n"
    "  -h, --help                     zeigt diese Hilfe\n"
    "  --version                      zeigt die Version\n"
    "\n"
    "Das JSON von import braucht \"format\": \"tavo-json\" und \"version\": 1; jeder\n"
    "andere fehlende Schlüssel behält den Stand eines neuen Projekts. Eine Zieldatei\n"
    "wird erst ersetzt, wenn sie vollständig geschrieben ist, und bleibt bei einem\n"
    "Fehler unverändert. Alle Ausgaben sind UTF-8.\n"
    "\n"
    "Rückgabewert: 0 bei Erfolg, 1 bei einem Fehler, 2 bei falschem Aufruf.\n";

// Everything printed is UTF-8; a failed write (a closed pipe, a full disk) fails the command.
bool print(std::FILE* stream, const std::string& text) {
    return std::fwrite(text.data(), 1, text.size(), stream) == text.size() && std::fflush(stream) == 0;
}

int failWith(const std::string& message) {
    print(stderr, message + '\n');
    return kExitFailure;
}

int printOrFail(const std::string& text) {
    return print(stdout, text) ? 0 : failWith("Fehler beim Schreiben auf die Standardausgabe.");
}

int finish(const FileOutcome& outcome) { return outcome.ok ? 0 : failWith(outcome.message); }

// Warnings go to stderr also when the file was written.
int finish(const PdfExport& outcome) {
    for (const std::string& message : outcome.messages) print(stderr, message + '\n');
    return outcome.written ? 0 : kExitFailure;
}

int finish(const TextListingOutput& outcome) {
    for (const std::string& message : outcome.messages) print(stderr, message + '\n');
    return outcome.ok ? printOrFail(outcome.pages) : kExitFailure;
}

// A whole file as bytes, with the file reporter's messages on failure.
FileOutcome readJsonFile(const std::string& path, std::string& content) {
    FileOperation failedAt{};
    const std::error_code error = readWholeFile(path, content, kMaxJsonFileBytes, failedAt);
    if (!error) return {};
    if (failedAt == FileOperation::Open) return {false, openErrorMessage(path, error.value())};
    return {false, fileErrorMessage(FileOperation::Read, path, {error.value(), static_cast<std::int32_t>(content.size()), 0})};
}

int runNew(const std::string& target) {
    const auto project = std::make_unique<ProjectData>();
    return finish(saveProjectFile(target, *project));
}

int runJson(const std::string& source) {
    const auto project = std::make_unique<ProjectData>();
    std::int32_t version = 0;
    const FileOutcome loaded = loadProjectFile(source, *project, version);
    return loaded.ok ? printOrFail(projectToJson(*project)) : failWith(loaded.message);
}

// Writing over an input would destroy it before it is read; an output that
// does not exist yet names no input.
bool namesAnInput(const std::string& output, std::initializer_list<std::string> inputs) {
    std::error_code error;
    return std::ranges::any_of(inputs, [&](const std::string& input) { return std::filesystem::equivalent(output, input, error); });
}

int refuseOutputThatIsAnInput(const std::string& output) {
    return failWith("Die Zieldatei " + output + " ist zugleich eine Eingabedatei; es wurde nichts geschrieben.");
}

int runImport(const std::string& source, const std::string& target) {
    if (namesAnInput(target, {source})) return refuseOutputThatIsAnInput(target);
    std::string json;
    const FileOutcome read = readJsonFile(source, json);
    if (!read.ok) return failWith(read.message);
    const auto project = std::make_unique<ProjectData>();
    const JsonImport imported = projectFromJson(json, *project);
    if (!imported.ok) return failWith(source + ": " + imported.message);
    return finish(saveProjectFile(target, *project));
}

int runLibrary(bool asJson) {
    const auto project = std::make_unique<ProjectData>();
    return printOrFail(asJson ? libraryToJson(*project) : libraryToText(*project));
}

int usageError(const std::string& problem) {
    print(stderr, problem + "\nHilfe: tavo-cli --help\n");
    return kExitUsage;
}

// File names as the C run-time expects them; on Linux the bytes as given.
std::string fileName(const QString& argument) { return QFile::encodeName(argument).toStdString(); }

int run(const QStringList& arguments) {
    if (arguments.contains("--help") || arguments.contains("-h")) return printOrFail(kHelp);
    if (arguments.contains("--version")) return printOrFail("tavo-cli " TAVO_VERSION "\n");
    if (arguments.isEmpty()) return usageError("Kein Befehl angegeben.");

    const QString command = arguments.first();
    const QStringList operands = arguments.mid(1);
    if (command == "new") {
        if (operands.size() == 1) return runNew(fileName(operands[0]));
        return usageError("Aufruf: tavo-cli new ZIEL.tavo");
    }
    if (command == "json") {
        if (operands.size() == 1) return runJson(fileName(operands[0]));
        return usageError("Aufruf: tavo-cli json DATEI.tavo");
    }
    if (command == "import") {
        if (operands.size() == 2) return runImport(fileName(operands[0]), fileName(operands[1]));
        return usageError("Aufruf: tavo-cli import EINGABE.json ZIEL.tavo");
    }
    if (command == "library") {
        if (operands.isEmpty() || operands == QStringList{"--json"}) return runLibrary(!operands.isEmpty());
        return usageError("Aufruf: tavo-cli library [--json]");
    }
    if (command == "pdf") {
        if (const auto request = parsePdfListingRequest(operands)) {
            if (namesAnInput(request->pdfPath, {request->projectPath, request->settingsPath.value_or("")})) {
                return refuseOutputThatIsAnInput(request->pdfPath);
            }
            return finish(writePdfListing(*request));
        }
        return usageError("Aufruf: tavo-cli pdf DATEI.tavo ZIEL.pdf [--settings DATEI.ini]");
    }
    if (command == "text") {
        if (const auto request = parseTextListingRequest(operands)) return finish(writeTextListing(*request));
        return usageError("Aufruf: tavo-cli text DATEI.tavo [--settings DATEI.ini]");
    }
    return usageError("Unbekannter Befehl \"" + command.toStdString() + "\".");
}

}  // namespace
}  // namespace tavo

int main(int argc, char* argv[]) {
    tavo::keepFreedMemoryForTheRun();
    const auto application = tavo::makeCliApplication(argc, argv);
    // Qt took the numeric conventions of the user's locale; the core's number
    // texts are read and written with a decimal point whatever the locale.
    std::setlocale(LC_NUMERIC, "C");
    QStringList arguments;
    for (int i = 1; i < argc; ++i) arguments.append(QString::fromLocal8Bit(argv[i]));
    return tavo::run(arguments);
}
