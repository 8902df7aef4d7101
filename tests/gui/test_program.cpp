// The program from start to exit: command line, sample project, the document's
// commands through the window, the message sink's answers, the main view's pages
// as keys and clicks switch them, and the help and update commands of the menu "?".

#include <QAction>
#include <QDir>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QRadioButton>
#include <QStandardPaths>
#include <QTabBar>
#include <QtTest>

#include "GuiTestSupport.h"
#include "app/gui/Commands.h"
#include "app/gui/HelpWindow.h"
#include "app/gui/OutputCommands.h"
#include "app/gui/ShellCommands.h"
#include "file/IniProfile.h"
#include "support/FileSizeLimit.h"
#include "ui/widgets/TabControl.h"
#include "ui/widgets/TabbedDialog.h"

using namespace tavo;
using namespace tavo::test;

namespace {

QLineEdit* field(CPembFrame& frame, const char* name) { return frame.findChild<QLineEdit*>(QString::fromLatin1(name)); }

void trigger(CPembFrame& frame, int commandId) { frame.action(commandId)->trigger(); }


// Records the proposals of the save dialog and cancels it.
class CancelledFileDialogs : public FileDialogs {
public:
    explicit CancelledFileDialogs(QStringList& proposals) : proposals_(proposals) {}
    QString chooseOpenPath(QWidget*, const QString&) override { return {}; }
    QString chooseSavePath(QWidget*, const QString& proposed) override {
        proposals_.append(proposed);
        return {};
    }

private:
    QStringList& proposals_;
};
const QStringList kRefusedStartPage{QStringLiteral("Geben Sie eine ganze Zahl zwischen 1 und 999 ein.")};

// The program on haus.tavo, a project whose first component is "Haus".
struct HouseProgram : Session {
    QString file = sandbox.projectFile(QStringLiteral("haus.tavo"), "Haus");
    QByteArray saved = sandbox.bytes(file);

    bool start() { return Session::start(file); }
    // Started with the window active, as keys and clicks need it.
    bool startActive() {
        if (!start()) return false;
        frame().activateWindow();
        return QTest::qWaitForWindowActive(&frame());
    }
};

// The program with the places of the menu "?" in its sandbox: the program file
// "tavo", beside which a test places the built help, and a fake updater.
struct ShellProgram : Session {
    ScriptedDialogs* dialogs = nullptr;

    bool start() {
        // The program reads its settings once: what a test stores goes in before the start.
        IniProfile(sandbox.settingsFile()).writeInt("Tavo_1800", "AutoUpdateFlag", 14);
        if (!Session::start()) return false;
        frame().show();
        dialogs = new ScriptedDialogs;
        shell().setDialogRunner(std::unique_ptr<DialogRunner>(dialogs));
        shell().setPlaces({sandbox.path(QStringLiteral("tavo")), sandbox.path(QStringLiteral("Vordane")),
                           sandbox.path(QStringLiteral("kova_teamviewer_de")), sandbox.path(QStringLiteral("Dokumente"))});
        MessageSink::takeShownTexts();
        return true;
    }
    ShellCommands& shell() { return frame().shell(); }
    QString shownHelpPage() { return shell().helpWindow() != nullptr ? shell().helpWindow()->currentPage().fileName() : QString(); }
};

}  // namespace

class ProgramTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void initTestCase() { prepareQtApplication(*qApp); }

    void startsWithoutFileAndOffersTheSampleOnce() {
        Session run;
        run.sandbox.projectFile(QStringLiteral("demo.tavo"), "Demo Wohnhaus");
        MessageSink::setNextAnswer(QMessageBox::Yes);
        QVERIFY(run.start());
        QCOMPARE(MessageSink::takeShownTexts(), QStringList{QStringLiteral("Demobeispiel laden ?")});
        QVERIFY(run.frame().isVisible());
        QCOMPARE(run.project().componentNames[0], std::string("Demo Wohnhaus"));

        // The sample saved asks for a name in the user's documents; the shipped file stays.
        const QByteArray shipped = run.sandbox.bytes(run.sandbox.path(QStringLiteral("demo.tavo")));
        QStringList proposals;
        run.app.doc().setFileDialogs(std::make_unique<CancelledFileDialogs>(proposals));
        trigger(run.frame(), CommandId::FileSave);
        const QString documents = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
        QCOMPARE(proposals, QStringList{QDir(documents).filePath(QStringLiteral("Tavo.tavo"))});
        QCOMPARE(run.sandbox.bytes(run.sandbox.path(QStringLiteral("demo.tavo"))), shipped);
        QVERIFY(run.document().path().empty());
    }

    void unreadableFiles() {
        // Started with one, the program tells why and goes on with a new project, without the sample.
        for (const QByteArray& content : {QByteArray("kein Projekt"), QByteArray()}) {
            Session run;
            const QString bad = content.isEmpty() ? run.sandbox.path(QStringLiteral("fehlt.tavo"))
                                                  : run.sandbox.file(QStringLiteral("kaputt.tavo"), content);
            QVERIFY(run.start(bad));
            const QStringList shown = MessageSink::takeShownTexts();
            QCOMPARE(shown.size(), 1);
            QVERIFY2(shown[0] == QStringLiteral("Datei %1 ist fehlerhaft!").arg(bad) ||
                         shown[0].startsWith(QStringLiteral("Fehler beim Öffnen von %1 [0]!\n").arg(bad)),
                     qPrintable(shown[0]));
            QVERIFY(run.frame().isVisible());
            QCOMPARE(run.project().componentNames[0], std::string("Text Bauteil 1"));
            QVERIFY(run.document().path().empty());
        }

        // Opened later, it leaves the open project as it was, on its page.
        HouseProgram house;
        QVERIFY(house.start());
        QVERIFY(MessageSink::takeShownTexts().isEmpty());  // no sample offered with a file
        field(house.frame(), "titleLine1")->setText(QStringLiteral("Wohnhaus Müller"));
        house.view().tabControl()->SetActiveTab(2);
        // The right magic, then the file ends.
        MessageSink::setNextAnswer(QMessageBox::No);
        house.app.doc().openRecentFile(house.sandbox.file(QStringLiteral("kurz.tavo"), house.saved.left(20)));
        const QStringList shown = MessageSink::takeShownTexts();
        QCOMPARE(shown.size(), 2);
        QCOMPARE(shown[1], QStringLiteral("Datei %1 ist fehlerhaft!").arg(house.sandbox.path(QStringLiteral("kurz.tavo"))));
        QCOMPARE(house.project().componentNames[0], std::string("Haus"));
        QCOMPARE(QString::fromStdString(house.document().path()), house.file);
        QVERIFY(house.document().isModified());
        QCOMPARE(house.view().GetActivePageId(), PageId::ImposedLoads);
    }

    // A value refused during the save saves nothing and keeps the user on its
    // field; while the pages are committed for closing it shows nothing.
    void refusedValueDuringSaveSavesNothing_data() {
        QTest::addColumn<QString>("fieldName");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("message");
        const QString notHeld = QStringLiteral("Das Zeichen %1 kann nicht gespeichert werden: Texte dürfen nur Zeichen des "
                                               "westeuropäischen Zeichensatzes Windows-1252 enthalten.");
        QTest::newRow("start page") << "startPage" << "1000" << kRefusedStartPage[0];
        QTest::newRow("title line") << "titleLine1" << "Träger Ω" << notHeld.arg(QStringLiteral("„Ω“ (U+03A9)"));
        QTest::newRow("component name") << "componentName0" << "Haus 😀" << notHeld.arg(QStringLiteral("„😀“ (U+1F600)"));
    }
    void refusedValueDuringSaveSavesNothing() {
        QFETCH(QString, fieldName);
        QFETCH(QString, typed);
        QFETCH(QString, message);
        HouseProgram house;
        QVERIFY(house.startActive());
        QLineEdit* edit = house.frame().findChild<QLineEdit*>(fieldName);
        edit->setText(typed);  // the save moves the focus to it
        trigger(house.frame(), CommandId::FileSave);
        QCOMPARE(MessageSink::takeShownTexts(), QStringList{message});
        QCOMPARE(QApplication::focusWidget(), edit);
        QCOMPARE(house.sandbox.bytes(house.file), house.saved);
        QCOMPARE(house.project().titleLines[0], std::string("Bauwaage"));
        QCOMPARE(house.project().componentNames[0], std::string("Haus"));
        QCOMPARE(house.project().startPage, 1);

        house.document().markModified();
        const QStringList question{QStringLiteral("Änderungen in haus.tavo speichern?")};
        MessageSink::setNextAnswer(QMessageBox::Cancel);
        QVERIFY(!house.frame().close());
        QCOMPARE(MessageSink::takeShownTexts(), question);
        MessageSink::setNextAnswer(QMessageBox::No);
        QVERIFY(house.frame().close());
        QCOMPARE(MessageSink::takeShownTexts(), question);
    }

#if defined(__unix__)
    void failedSaveLeavesTheOldFileIntact() {
        HouseProgram house;
        QVERIFY(house.start());
        field(house.frame(), "titleLine1")->setText(QStringLiteral("Ein viel längerer Titel für das Haus"));
        {
            test::FileSizeLimit limit(16);
            trigger(house.frame(), CommandId::FileSave);
        }
        const QStringList shown = MessageSink::takeShownTexts();
        QCOMPARE(shown.size(), 1);
        QVERIFY2(shown[0].startsWith(QStringLiteral("Fehler beim Schreiben auf %1 [").arg(house.file)), qPrintable(shown[0]));
        QCOMPARE(house.sandbox.bytes(house.file), house.saved);
        QVERIFY(house.document().isModified());
    }
#endif

    // A click on a tab and Ctrl+Tab both check the field left first.
    void refusedStartPageKeepsTheUserOnTheField() {
        HouseProgram house;
        QVERIFY(house.startActive());
        QTabBar* tabs = house.view().tabControl()->tabBar();
        QLineEdit* startPage = field(house.frame(), "startPage");
        startPage->setFocus();
        startPage->selectAll();
        QTest::keyClicks(startPage, QStringLiteral("1000"));
        QTest::mouseClick(tabs, Qt::LeftButton, {}, tabs->tabRect(1).center());
        QCOMPARE(MessageSink::takeShownTexts(), kRefusedStartPage);
        QCOMPARE(house.view().GetActivePageId(), PageId::Components);
        QCOMPARE(tabs->currentIndex(), 0);
        QCOMPARE(QApplication::focusWidget(), startPage);
        QTest::keyClick(startPage, Qt::Key_Tab, Qt::ControlModifier);
        QCOMPARE(MessageSink::takeShownTexts().size(), 1);
        QCOMPARE(house.view().GetActivePageId(), PageId::Components);
        QCOMPARE(house.project().startPage, 1);
        QVERIFY(!house.document().isModified());

        startPage->setText(QStringLiteral("999"));
        QTest::mouseClick(tabs, Qt::LeftButton, {}, tabs->tabRect(1).center());
        QVERIFY(MessageSink::takeShownTexts().isEmpty());
        QCOMPARE(house.view().GetActivePageId(), PageId::PermanentLoads);
        QCOMPARE(house.project().startPage, 999);
        QVERIFY(house.document().isModified());
    }

    // A menu commits the page as it opens; a refused value must neither run a
    // message box's loop inside the opening menu nor leave the menu open.
    void menuOpenedWithRefusedValueShowsTheMessageOnceWithTheMenusClosed() {
        QFETCH(bool, byMouse);
        HouseProgram house;
        QVERIFY(house.startActive());
        QList<bool> menuOpenAtBox;
        MessageSink::setChooser([&menuOpenAtBox](QMessageBox::StandardButtons, QMessageBox::StandardButton defaultButton) {
            menuOpenAtBox.append(QApplication::activePopupWidget() != nullptr);
            return defaultButton;
        });
        QLineEdit* startPage = field(house.frame(), "startPage");
        startPage->setFocus();
        startPage->selectAll();
        QTest::keyClicks(startPage, QStringLiteral("1000"));
        QMenuBar* bar = house.frame().menuBar();
        const auto openFileMenu = [&] {
            if (byMouse)
                QTest::mouseClick(bar, Qt::LeftButton, {}, bar->actionGeometry(bar->actions().at(0)).center());
            else
                QTest::keyClick(startPage, Qt::Key_D, Qt::AltModifier);
        };

        openFileMenu();
        QVERIFY(MessageSink::takeShownTexts().isEmpty());  // not while the menu is opening
        // The user moves along the bar and types before the refusal is shown.
        if (QWidget* menu = QApplication::activePopupWidget()) {
            QTest::keyClick(menu, Qt::Key_Right);
            QTest::keyClick(QApplication::activePopupWidget() ? QApplication::activePopupWidget() : menu, Qt::Key_X);
        }
        QCoreApplication::processEvents();  // the opening is done
        QCOMPARE(MessageSink::takeShownTexts(), kRefusedStartPage);
        QCOMPARE(menuOpenAtBox, QList<bool>{false});
        QCOMPARE(QApplication::activePopupWidget(), nullptr);
        QCOMPARE(house.project().startPage, 1);

        // Keys typed now go to the page, not to a menu half open.
        QTest::keyClick(startPage, Qt::Key_End);
        QTest::keyClick(startPage, Qt::Key_Backspace);
        QCOMPARE(startPage->text(), QStringLiteral("100"));
        // (The offscreen platform leaves the closed menu the active window, where
        // Alt+letter would not reach the bar: the mouse opens the menu again.)
        QTest::mouseClick(bar, Qt::LeftButton, {}, bar->actionGeometry(bar->actions().at(0)).center());
        QWidget* menu = QApplication::activePopupWidget();
        QVERIFY(menu != nullptr);
        for (Qt::Key key : {Qt::Key_Right, Qt::Key_Down, Qt::Key_Left, Qt::Key_Q, Qt::Key_Escape}) {
            QTest::keyClick(QApplication::activePopupWidget() ? QApplication::activePopupWidget() : bar, key);
            QCoreApplication::processEvents();
        }
        QVERIFY(MessageSink::takeShownTexts().isEmpty());
        QCOMPARE(house.project().startPage, 100);
    }

    // Ctrl+S in one of the program's dialogs saves, but only once the dialog has
    // handled the key press: the save's own boxes must not open inside it.
    void acceleratorInADialogRunsItsCommandAfterTheKeyPress() {
        HouseProgram house;
        QVERIFY(house.start());
        house.document().markModified();
        auto* dialogs = new ScriptedDialogs;
        bool savedDuringKeyPress = true;
        bool savedAfterwards = false;
        dialogs->answer([&](QDialog& dialog) {
            dialog.setWindowModality(Qt::ApplicationModal);
            dialog.show();
            QTest::keyClick(&dialog, Qt::Key_S, Qt::ControlModifier);
            savedDuringKeyPress = !house.document().isModified();
            QCoreApplication::processEvents();  // the dialog's own loop
            savedAfterwards = !house.document().isModified();
            dialog.hide();
            return false;
        });
        house.frame().output().setDialogRunner(std::unique_ptr<DialogRunner>(dialogs));
        trigger(house.frame(), CommandId::HeaderFooter);
        QVERIFY(!savedDuringKeyPress);
        QVERIFY(savedAfterwards);
    }

    // Without its file the help says so; with it F1 opens the page's topic, and
    // in a dialog the default.
    void f1OpensThePagesTopicAndInADialogTheDefault() {
        ShellProgram run;
        QVERIFY(run.start());
        trigger(run.frame(), CommandId::Help);
        QCOMPARE(MessageSink::takeShownTexts(), QStringList{QStringLiteral("chm-Datei wurde nicht gefunden!")});
        QCOMPARE(run.shell().helpWindow(), nullptr);
        QVERIFY(QFile::copy(QStringLiteral(TAVO_HELP_FILE), run.sandbox.path(QStringLiteral("tavo.qch"))));
        run.view().tabControl()->SetActiveTab(2);
        QTest::keyClick(run.view().GetActivePage(), Qt::Key_F1);
        QCoreApplication::processEvents();  // the help comes after the key press
        QCOMPARE(run.shownHelpPage(), QStringLiteral("nutzlasten.html"));
        QVERIFY(run.shell().helpWindow()->isVisible());
        auto* output = new ScriptedDialogs;
        output->answer([](QDialog& dialog) {
            QTest::keyClick(&dialog, Qt::Key_F1);
            QCoreApplication::processEvents();  // the dialog's own loop
            return false;
        });
        run.frame().output().setDialogRunner(std::unique_ptr<DialogRunner>(output));
        trigger(run.frame(), CommandId::HeaderFooter);
        QCOMPARE(run.shownHelpPage(), QStringLiteral("index.html"));
        QCOMPARE(MessageSink::takeShownTexts(), QStringList());
    }

    void theUpdateDialogStoresTheIntervalAndChecksThroughTheUpdater() {
        ShellProgram run;
        QVERIFY(run.start());
        run.sandbox.file(QStringLiteral("Vordane"), "#!/bin/sh\necho \"$@\" > \"$(dirname \"$0\")/arguments\"\nexit 4\n");
        QFile::setPermissions(run.sandbox.path(QStringLiteral("Vordane")), QFile::ReadOwner | QFile::ExeOwner);

        run.dialogs->answer([](QDialog& dialog) {
            auto* days = dialog.findChild<QLineEdit*>();
            if (days->text() != QStringLiteral("14")) return false;
            for (auto* button : dialog.findChildren<QPushButton*>())
                if (button->text().startsWith(QStringLiteral("Jetzt"))) button->click();
            for (auto* choice : dialog.findChildren<QRadioButton*>())
                if (choice->text() == QStringLiteral("&täglich")) choice->setChecked(true);
            return true;
        });
        trigger(run.frame(), CommandId::CheckForUpdate);
        QCOMPARE(run.dialogs->shownTitles(), QStringList{QStringLiteral("Nach Updates suchen")});
        QCOMPARE(MessageSink::takeShownTexts(), QStringList{QStringLiteral("Installierte Version ist aktuell!")});
        QVERIFY(run.sandbox.bytes(run.sandbox.path(QStringLiteral("arguments"))).startsWith("-i11 -aTavo -d18.0.0.1 -v"));
        QCOMPARE(IniProfile(run.sandbox.settingsFile()).getInt("Tavo_1800", "AutoUpdateFlag", 0), 1);
    }

    void menuOpenedWithRefusedValueShowsTheMessageOnceWithTheMenusClosed_data() {
        QTest::addColumn<bool>("byMouse");
        QTest::newRow("Alt+D") << false;
        QTest::newRow("mouse") << true;
    }
};

QTEST_MAIN(ProgramTest)
#include "test_program.moc"
