// Random input on the whole program, seeded and repeatable: clicks on the widgets
// the main window really has, keys, shortcuts and typed texts, sent in-process to
// the offscreen window. Message boxes and dialogs are answered at random, file
// dialogs only with paths inside a temporary folder. After each action the window
// must still be there; after the run every project saved must open again.
//
//     gui_monkey [--seed N] [--actions N] [--verbose]
//
// A failure prints the seed and the last actions; so does a crash or a sanitizer
// report. Exit status 0 when the run passed.

#include <QAbstractButton>
#include <QAbstractSpinBox>
#include <QApplication>
#include <QComboBox>
#include <QContextMenuEvent>
#include <QDir>
#include <QDirIterator>
#include <QFileDialog>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPointer>
#include <QPrintDialog>
#include <QPrinter>
#include <QTimer>
#include <QtTest>

#include <array>
#include <csignal>
#include <cstdio>
#include <cstring>
#include <random>
#include <unistd.h>

#include "GuiTestSupport.h"
#include "app/gui/OutputCommands.h"
#include "app/gui/ShellCommands.h"
#include "support/SampleProjects.h"

#if defined(__SANITIZE_ADDRESS__)
#include <sanitizer/common_interface_defs.h>
#define TAVO_HAS_SANITIZER_CALLBACK 1
#endif

using namespace tavo;
using namespace tavo::test;

namespace {

// The last actions, kept as plain characters so that a signal handler can print them.
class ActionLog {
public:
    static constexpr int kKept = 25;

    void start(quint32 seed, int actions) {
        std::snprintf(header_.data(), header_.size(), "monkey: seed %u, %d actions\n", seed, actions);
        std::fputs(header_.data(), stderr);
    }

    void add(int number, const QString& action) {
        Line& line = lines_[static_cast<std::size_t>(count_ % kKept)];
        std::snprintf(line.data(), line.size(), "  %6d %s\n", number, action.left(200).toUtf8().constData());
        ++count_;
    }

    // Async-signal-safe: write(2) of what is already formatted.
    void print() const {
        write(header_.data());
        write("monkey: the last actions:\n");
        for (int i = count_ > kKept ? count_ - kKept : 0; i < count_; ++i) write(lines_[static_cast<std::size_t>(i % kKept)].data());
    }

private:
    using Line = std::array<char, 240>;
    static void write(const char* text) { [[maybe_unused]] const auto written = ::write(2, text, std::strlen(text)); }

    std::array<char, 80> header_{};
    std::array<Line, kKept> lines_{};
    int count_ = 0;
};

ActionLog actionLog;

void printLogAndDie(int signal) {
    actionLog.print();
    std::signal(signal, SIG_DFL);
    std::raise(signal);
}

#ifdef TAVO_HAS_SANITIZER_CALLBACK
void printLogOnSanitizerReport() { actionLog.print(); }
#endif

// Texts a user might type, and some no user should: numbers in every spelling the
// fields meet, letters, umlauts and the euro sign, printf directives and texts far
// longer than any field takes.
QString randomText(std::mt19937& random) {
    static const QStringList kFixed = {
        QStringLiteral("0"),       QStringLiteral("1"),     QStringLiteral("-1"),    QStringLiteral("999"),   QStringLiteral("1000"),
        QStringLiteral("1,5"),     QStringLiteral("0.25"),  QStringLiteral("-0"),    QStringLiteral(".0"),    QStringLiteral("1,5x"),
        QStringLiteral("1e308"),   QStringLiteral("-1e-308"), QStringLiteral("2147483648"), QStringLiteral("nan"), QStringLiteral("inf"),
        QStringLiteral("%s%n%d%%"), QStringLiteral("Äöüß€"), QStringLiteral(" 12 "),  QStringLiteral("\t"),    QStringLiteral("&Datei"),
    };
    const auto pick = [&](int n) { return static_cast<int>(random() % static_cast<unsigned>(n)); };
    switch (pick(4)) {
        case 0:
            return kFixed.at(pick(static_cast<int>(kFixed.size())));
        case 1:
            return QString::number(pick(100000) - 50000) + (pick(2) ? QStringLiteral(",") + QString::number(pick(1000)) : QString());
        case 2: {
            static const QString kLetters = QStringLiteral("abcdefghijklmnopqrstuvwxyzÄÖÜäöüß ABCXYZ-/.,;");
            QString text;
            for (int i = pick(30) + 1; i > 0; --i) text += kLetters.at(pick(static_cast<int>(kLetters.size())));
            return text;
        }
        default:
            return QString(pick(1500) + 100, QChar(u"xÄ9 "[pick(4)]));
    }
}

// Answers every dialog of the program without showing it: a file dialog with a
// name in the sandbox, any other after a few random changes to its fields.
class MonkeyDialogs : public DialogRunner, public FileDialogs {
public:
    MonkeyDialogs(std::mt19937& random, const QString& folder) : random_(random), folder_(folder) {}

    bool run(QDialog& dialog) override {
        if (auto* files = qobject_cast<QFileDialog*>(&dialog)) {
            const QString path = chooseFile(files->defaultSuffix());
            if (path.isEmpty()) return false;
            files->selectFile(path);
            return true;
        }
        // The program's own dialogs get their fields changed; Qt's dialogs only their answer.
        if (!QByteArray(dialog.metaObject()->className()).startsWith('Q')) poke(dialog);
        if (auto* print = qobject_cast<QPrintDialog*>(&dialog)) print->printer()->setOutputFileName(QDir(folder_).filePath(QStringLiteral("print.pdf")));
        if (dialog.result() == QDialog::Accepted) return true;
        return chance(2);
    }

    QString chooseOpenPath(QWidget*, const QString&) override { return chooseFile(chance(4) ? QStringLiteral("pdf") : QStringLiteral("tavo")); }
    QString chooseSavePath(QWidget*, const QString&) override { return chooseFile(QStringLiteral("tavo")); }

private:
    bool chance(int oneIn) { return random_() % static_cast<unsigned>(oneIn) == 0; }

    // A file of the kind asked for in the sandbox, an existing one or a new name,
    // or nothing (cancelled).
    QString chooseFile(const QString& suffix) {
        if (chance(4)) return {};
        const QStringList existing = QDir(folder_).entryList({QStringLiteral("*.") + suffix}, QDir::Files);
        if (!existing.isEmpty() && chance(2)) return QDir(folder_).filePath(existing.at(static_cast<int>(random_() % existing.size())));
        return QDir(folder_).filePath(QStringLiteral("monkey%1.%2").arg(random_() % 5).arg(suffix));
    }

    void poke(QDialog& dialog) {
        const QList<QWidget*> fields = dialog.findChildren<QWidget*>();
        if (fields.isEmpty()) return;
        for (int i = static_cast<int>(random_() % 4); i > 0; --i) {
            QWidget* field = fields.at(static_cast<int>(random_() % fields.size()));
            if (!field->isEnabled()) continue;
            if (auto* edit = qobject_cast<QLineEdit*>(field))
                edit->setText(randomText(random_));
            else if (auto* combo = qobject_cast<QComboBox*>(field); combo != nullptr && combo->count() > 0)
                combo->setCurrentIndex(static_cast<int>(random_() % combo->count()));
            else if (auto* button = qobject_cast<QAbstractButton*>(field))
                button->click();
        }
    }

    std::mt19937& random_;
    QString folder_;
};

// What the monkey does next: said before it is done, so that a crash in it is logged.
struct Action {
    QString text;
    std::function<void()> run;
};

class Monkey {
public:
    Monkey(CPembFrame& frame, std::mt19937& random) : frame_(&frame), random_(random) {}

    // One random action on what the user would reach now: an open menu, else the window.
    Action next() {
        if (!frame_->isVisible()) {
            // The user ended the program through its menu; a new run starts with the same window.
            return {QStringLiteral("show the window again after it was closed"), [this] { frame_->show(); }};
        }
        frame_->activateWindow();
        QWidget* popup = QApplication::activePopupWidget();
        const int kind = pick(10);
        if (kind < 3) return click(popup != nullptr ? popup : randomWidget());
        if (kind < 6) return key(popup);
        if (kind < 8) return shortcut(popup);
        return type(popup);
    }

    bool windowGone() const { return frame_.isNull(); }

private:
    int pick(int n) { return static_cast<int>(random_() % static_cast<unsigned>(n)); }

    QWidget* keyTarget(QWidget* popup) const {
        if (popup != nullptr) return popup;
        QWidget* focused = QApplication::focusWidget();
        return focused != nullptr ? focused : frame_.data();
    }

    // Any widget of the main window that the user could click now.
    QWidget* randomWidget() {
        QList<QWidget*> reachable{frame_.data()};
        for (QWidget* w : frame_->findChildren<QWidget*>())
            if (w->window() == frame_ && w->isVisible() && w->isEnabled() && !w->size().isEmpty()) reachable.append(w);
        return reachable.at(pick(static_cast<int>(reachable.size())));
    }

    static QString describe(const QWidget* w) {
        const QString name = w->objectName().isEmpty() ? w->accessibleName() : w->objectName();
        return QStringLiteral("%1 '%2'").arg(QString::fromLatin1(w->metaObject()->className()), name);
    }

    Action click(QWidget* target) {
        const QPoint at(pick(std::max(1, target->width())), pick(std::max(1, target->height())));
        const QString where = QStringLiteral("%1 at %2,%3").arg(describe(target)).arg(at.x()).arg(at.y());
        QPointer<QWidget> alive(target);
        switch (pick(6)) {
            case 0:
                return {QStringLiteral("double-click ") + where, [alive, at] { QTest::mouseDClick(alive, Qt::LeftButton, {}, at); }};
            case 1:
                return {QStringLiteral("right-click ") + where, [alive, at] {
                            QTest::mouseClick(alive, Qt::RightButton, {}, at);
                            QContextMenuEvent menu(QContextMenuEvent::Mouse, at, alive->mapToGlobal(at));
                            if (alive) QApplication::sendEvent(alive, &menu);
                        }};
            default:
                return {QStringLiteral("click ") + where, [alive, at] { QTest::mouseClick(alive, Qt::LeftButton, {}, at); }};
        }
    }

    Action key(QWidget* popup) {
        static const Qt::Key kKeys[] = {
            Qt::Key_Tab,  Qt::Key_Backtab, Qt::Key_Return,   Qt::Key_Escape, Qt::Key_Left, Qt::Key_Right, Qt::Key_Up,
            Qt::Key_Down, Qt::Key_Home,    Qt::Key_End,      Qt::Key_PageUp, Qt::Key_PageDown, Qt::Key_Delete,
            Qt::Key_Backspace, Qt::Key_Space, Qt::Key_F2,    Qt::Key_Insert, Qt::Key_Enter,
        };
        const Qt::Key k = kKeys[pick(static_cast<int>(std::size(kKeys)))];
        const Qt::KeyboardModifiers modifiers = pick(6) == 0 ? Qt::ShiftModifier : Qt::NoModifier;
        QWidget* target = keyTarget(popup);
        return {QStringLiteral("key %1 to %2").arg(QKeySequence(k | modifiers).toString(), describe(target)),
                [target, k, modifiers] { QTest::keyClick(target, k, modifiers); }};
    }

    // The program's accelerators, the menus' Alt+letters and the page keys.
    Action shortcut(QWidget* popup) {
        static const QKeyCombination kShortcuts[] = {
            Qt::CTRL | Qt::Key_N, Qt::CTRL | Qt::Key_O, Qt::CTRL | Qt::Key_S,  Qt::CTRL | Qt::Key_P,
            Qt::CTRL | Qt::Key_Tab, Qt::CTRL | Qt::SHIFT | Qt::Key_Backtab, Qt::ALT | Qt::Key_D, Qt::ALT | Qt::Key_A,
            Qt::ALT | Qt::Key_S,  Qt::ALT | Qt::Key_E,  Qt::ALT | Qt::Key_Question, Qt::ALT | Qt::Key_B, Qt::ALT | Qt::Key_N,
            Qt::CTRL | Qt::Key_A, Qt::CTRL | Qt::Key_Z,  Qt::CTRL | Qt::Key_V,  Qt::Key_F10,
        };
        const QKeyCombination combination = kShortcuts[pick(static_cast<int>(std::size(kShortcuts)))];
        QWidget* target = keyTarget(popup);
        return {QStringLiteral("shortcut %1 to %2").arg(QKeySequence(combination).toString(), describe(target)),
                [target, combination] { QTest::keyClick(target, combination.key(), combination.keyboardModifiers()); }};
    }

    Action type(QWidget* popup) {
        const QString text = randomText(random_);
        QPointer<QWidget> target = keyTarget(popup);
        return {QStringLiteral("type \"%1\" (%2 characters) into %3").arg(text.left(20)).arg(text.size()).arg(describe(target)), [target, text] {
                    for (QChar c : text) {
                        if (target.isNull()) return;
                        QTest::sendKeyEvent(QTest::Click, target, Qt::Key_unknown, QString(c), Qt::NoModifier);
                    }
                }};
    }

    QPointer<CPembFrame> frame_;
    std::mt19937& random_;
};

// Every project the run saved opens again, and the one in memory survives a round trip.
bool savedProjectsOpen(const QString& folder, const ProjectData& current) {
    bool ok = true;
    const QString final = QDir(folder).filePath(QStringLiteral("final.tavo"));
    if (!saveProjectFile(final.toStdString(), current).ok) {
        std::fprintf(stderr, "monkey: the project in memory cannot be saved\n");
        return false;
    }
    for (QDirIterator files(folder, {QStringLiteral("*.tavo")}, QDir::Files); files.hasNext();) {
        ProjectData read;
        std::int32_t version = 0;
        const FileOutcome opened = loadProjectFile(files.next().toStdString(), read, version);
        if (!opened.ok) std::fprintf(stderr, "monkey: a saved project does not open again: %s\n", opened.message.c_str());
        ok = ok && opened.ok;
    }
    return ok;
}

struct Options {
    quint32 seed = 1;
    int actions = 500;
    bool verbose = false;
};

Options parseOptions(const QStringList& arguments) {
    Options options;
    for (qsizetype i = 1; i < arguments.size(); ++i) {
        const QString value = arguments.value(i + 1);
        if (arguments.at(i) == QStringLiteral("--seed")) options.seed = value.toUInt();
        if (arguments.at(i) == QStringLiteral("--actions")) options.actions = value.toInt();
        if (arguments.at(i) == QStringLiteral("--verbose")) options.verbose = true;
    }
    return options;
}

}  // namespace

int main(int argc, char* argv[]) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    prepareQtApplication(application);
    // Ending the program through its menu must not end the run.
    QApplication::setQuitOnLastWindowClosed(false);
    const Options options = parseOptions(QApplication::arguments());
    actionLog.start(options.seed, options.actions);
    for (int signal : {SIGSEGV, SIGABRT, SIGBUS, SIGFPE, SIGILL}) std::signal(signal, printLogAndDie);
#ifdef TAVO_HAS_SANITIZER_CALLBACK
    __sanitizer_set_death_callback(printLogOnSanitizerReport);
#endif
    // Qt warns about what the offscreen platform cannot do; that is no finding.
    qInstallMessageHandler([](QtMsgType type, const QMessageLogContext&, const QString& message) {
        if (type == QtFatalMsg) std::fprintf(stderr, "%s\n", qPrintable(message));
    });

    std::mt19937 random(options.seed);
    Session run;
    run.sandbox.projectFile(QStringLiteral("demo.tavo"), makeSmallProject());
    run.sandbox.projectFile(QStringLiteral("full.tavo"), makeMaximalProject());
    // A box that is open runs its own event loop, where what was posted before it
    // gets done; the monkey's next action waits until it is answered.
    bool boxOpen = false;
    MessageSink::setChooser([&random, &boxOpen](QMessageBox::StandardButtons buttons, QMessageBox::StandardButton defaultButton) {
        boxOpen = true;
        QCoreApplication::processEvents();
        boxOpen = false;
        QList<QMessageBox::StandardButton> offered;
        for (QMessageBox::StandardButton b : {QMessageBox::Ok, QMessageBox::Yes, QMessageBox::No, QMessageBox::Cancel})
            if (buttons.testFlag(b)) offered.append(b);
        return offered.isEmpty() ? defaultButton : offered.at(static_cast<int>(random() % offered.size()));
    });
    auto dialogs = std::make_unique<MonkeyDialogs>(random, run.sandbox.programDir());
    MonkeyDialogs* answers = dialogs.get();
    if (!run.start()) return 1;
    CPembFrame& frame = run.frame();
    run.app.doc().setFileDialogs(std::unique_ptr<FileDialogs>(new MonkeyDialogs(*answers)));
    frame.shell().setDialogRunner(std::unique_ptr<DialogRunner>(new MonkeyDialogs(*answers)));
    // The pages' dialogs go through the output commands' runner.
    frame.output().setDialogRunner(std::move(dialogs));
    frame.show();

    Monkey monkey(frame, random);
    int done = 0;
    bool failed = false;
    QEventLoop finished;
    std::function<void()> step = [&] {
        if (boxOpen) {
            QTimer::singleShot(0, &frame, step);
            return;
        }
        if (QWidget* stray = QApplication::activeModalWidget()) {
            // Every box goes through the sink and every dialog through the runner;
            // one that does not would wait for a user.
            std::fprintf(stderr, "monkey: a modal window was opened past the message sink and the dialog runner: %s \"%s\"\n",
                         stray->metaObject()->className(), qPrintable(stray->windowTitle()));
            failed = true;
            stray->close();
        }
        if (done >= options.actions || failed) {
            // A context menu's own loop must end before the run can.
            if (QWidget* popup = QApplication::activePopupWidget()) {
                popup->close();
                QTimer::singleShot(0, &frame, step);
                return;
            }
            finished.quit();
            return;
        }
        // The next action is due even while this one runs a modal loop of Qt's own (a context menu).
        QTimer::singleShot(0, &frame, step);
        const Action action = monkey.next();
        actionLog.add(++done, action.text);
        if (options.verbose) std::fprintf(stderr, "%6d %s\n", done, qPrintable(action.text.left(200)));
        action.run();
        if (monkey.windowGone()) {
            std::fprintf(stderr, "monkey: the main window is gone\n");
            failed = true;
        }
    };
    QTimer::singleShot(0, &frame, step);
    finished.exec();

    if (!failed) failed = !savedProjectsOpen(run.sandbox.programDir(), run.project());
    if (failed) {
        actionLog.print();
        return 1;
    }
    std::fprintf(stderr, "monkey: %d actions passed\n", done);
    return 0;
}
