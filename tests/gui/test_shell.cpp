// The commands of the menu "?" with the user played by the test: help for each
// page and in a dialog, and the update dialog against a fake updater.

#include <QDialog>
#include <QFile>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QtTest>

#include "GuiTestSupport.h"
#include "app/gui/Commands.h"
#include "app/gui/HelpWindow.h"
#include "app/gui/OutputCommands.h"
#include "app/gui/ShellCommands.h"
#include "file/IniProfile.h"
#include "ui/widgets/TabControl.h"
#include "ui/widgets/TabbedDialog.h"

using namespace tavo;
using namespace tavo::test;

class ShellTest : public QObject {
    Q_OBJECT

private:
    std::unique_ptr<Session> run_;
    ScriptedDialogs* dialogs_ = nullptr;

    ShellCommands& shell() { return run_->frame().shell(); }
    void trigger(int commandId) { run_->frame().action(commandId)->trigger(); }

    QString shownPage() {
        return shell().helpWindow() != nullptr ? shell().helpWindow()->currentPage().fileName() : QString();
    }

private Q_SLOTS:
    void initTestCase() { prepareQtApplication(*qApp); }

    void init() {
        run_ = std::make_unique<Session>();
        // The program reads its settings once: what a test stores goes in before the start.
        IniProfile(run_->sandbox.settingsFile()).writeInt("Tavo_1800", "AutoUpdateFlag", 14);
        QVERIFY(run_->start());
        run_->frame().show();
        dialogs_ = new ScriptedDialogs;
        shell().setDialogRunner(std::unique_ptr<DialogRunner>(dialogs_));
        // The program file is "tavo" in the sandbox, where a test places the built help.
        const Sandbox& box = run_->sandbox;
        shell().setPlaces({box.path(QStringLiteral("tavo")), box.path(QStringLiteral("Vordane")),
                           box.path(QStringLiteral("kova_teamviewer_de")), box.path(QStringLiteral("Dokumente"))});
        MessageSink::takeShownTexts();
    }

    void cleanup() { run_.reset(); }

    // Without its file the help says so; with it F1 opens the page's topic, and
    // in a dialog the default.
    void f1OpensThePagesTopicAndInADialogTheDefault() {
        trigger(CommandId::Help);
        QCOMPARE(MessageSink::takeShownTexts(), QStringList{QStringLiteral("chm-Datei wurde nicht gefunden!")});
        QCOMPARE(shell().helpWindow(), nullptr);
        QVERIFY(QFile::copy(QStringLiteral(TAVO_HELP_FILE), run_->sandbox.path(QStringLiteral("tavo.qch"))));
        run_->view().tabControl()->SetActiveTab(2);
        QTest::keyClick(run_->view().GetActivePage(), Qt::Key_F1);
        QCoreApplication::processEvents();  // the help comes after the key press
        QCOMPARE(shownPage(), QStringLiteral("nutzlasten.html"));
        QVERIFY(shell().helpWindow()->isVisible());
        auto* output = new ScriptedDialogs;
        output->answer([](QDialog& dialog) {
            QTest::keyClick(&dialog, Qt::Key_F1);
            QCoreApplication::processEvents();  // the dialog's own loop
            return false;
        });
        run_->frame().output().setDialogRunner(std::unique_ptr<DialogRunner>(output));
        trigger(CommandId::HeaderFooter);
        QCOMPARE(shownPage(), QStringLiteral("index.html"));
        QCOMPARE(MessageSink::takeShownTexts(), QStringList());
    }

    void theUpdateDialogStoresTheIntervalAndChecksThroughTheUpdater() {
        const auto storedInterval = [this] { return IniProfile(run_->sandbox.settingsFile()).getInt("Tavo_1800", "AutoUpdateFlag", 0); };
        run_->sandbox.file(QStringLiteral("Vordane"), "#!/bin/sh\necho \"$@\" > \"$(dirname \"$0\")/arguments\"\nexit 4\n");
        QFile::setPermissions(run_->sandbox.path(QStringLiteral("Vordane")), QFile::ReadOwner | QFile::ExeOwner);

        dialogs_->answer([](QDialog& dialog) {
            auto* days = dialog.findChild<QLineEdit*>();
            if (days->text() != QStringLiteral("14")) return false;
            for (auto* button : dialog.findChildren<QPushButton*>())
                if (button->text().startsWith(QStringLiteral("Jetzt"))) button->click();
            for (auto* choice : dialog.findChildren<QRadioButton*>())
                if (choice->text() == QStringLiteral("&täglich")) choice->setChecked(true);
            return true;
        });
        trigger(CommandId::CheckForUpdate);
        QCOMPARE(dialogs_->shownTitles(), QStringList{QStringLiteral("Nach Updates suchen")});
        QCOMPARE(MessageSink::takeShownTexts(), QStringList{QStringLiteral("Installierte Version ist aktuell!")});
        QVERIFY(run_->sandbox.bytes(run_->sandbox.path(QStringLiteral("arguments"))).startsWith("-i11 -aTavo -d18.0.0.1 -v"));
        QCOMPARE(storedInterval(), 1);

        trigger(CommandId::CheckForUpdate);  // cancelled: nothing stored
        QCOMPARE(storedInterval(), 1);
    }
};

QTEST_MAIN(ShellTest)
#include "test_shell.moc"
