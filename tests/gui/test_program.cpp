// The program from start to exit: command line, sample project, the document's
// commands through the window, and what the settings keep.

#include <QAction>
#include <QLineEdit>
#include <QtTest>

#include "GuiTestSupport.h"
#include "app/IniProfile.h"
#include "app/ProgramSettings.h"
#include "app/gui/Commands.h"
#include "app/gui/MainWindow.h"
#include "support/FileSizeLimit.h"
#include "ui/widgets/EnterDialog.h"
#include "ui/widgets/PembView.h"
#include "ui/widgets/TabControl.h"

using namespace tavo;
using namespace tavo::test;

namespace {

QLineEdit* field(CPembFrame& frame, const char* name) { return frame.findChild<QLineEdit*>(QString::fromLatin1(name)); }

void trigger(CPembFrame& frame, int commandId) { frame.action(commandId)->trigger(); }

const QString kDemoQuestion = QStringLiteral("Demobeispiel laden ?");

}  // namespace

class ProgramTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void initTestCase() { prepareQtApplication(*qApp); }

    void startsWithoutFileAndOffersTheSampleOnce() {
        Sandbox sandbox;
        sandbox.projectFile(QStringLiteral("demo.tavo"), "Demo Wohnhaus");
        Program program(sandbox);
        MessageSink::setNextAnswer(QMessageBox::Yes);
        QVERIFY(program.app.start({QStringLiteral("tavo")}));
        QCOMPARE(MessageSink::takeShownTexts(), QStringList{kDemoQuestion});
        Document& document = program.app.doc().document();
        QCOMPARE(document.project().componentNames[0], std::string("Demo Wohnhaus"));
        QCOMPARE(QString::fromStdString(document.path()), sandbox.path(QStringLiteral("demo.tavo")));
        QCOMPARE(program.app.frame().windowTitle(), QStringLiteral("demo.tavo[*] - KOVA Bauwaage Version 2025 (Version 18)"));
        QCOMPARE(program.app.frame().view()->GetActivePageId(), PageId::Components);

        trigger(program.app.frame(), CommandId::FileNew);
        QVERIFY(MessageSink::takeShownTexts().isEmpty());
        QCOMPARE(document.project().componentNames[0], std::string("Text Bauteil 1"));
        QCOMPARE(program.app.frame().windowTitle(), QStringLiteral("Tavo[*] - KOVA Bauwaage Version 2025 (Version 18)"));
    }

    void startsWithFileAndAsksAboutTheSampleOnlyLater() {
        Sandbox sandbox;
        const QString file = sandbox.projectFile(QStringLiteral("haus.tavo"), "Haus");
        Program program(sandbox);
        QVERIFY(program.app.start({QStringLiteral("tavo"), file}));
        QVERIFY(MessageSink::takeShownTexts().isEmpty());
        QCOMPARE(program.app.doc().document().project().componentNames[0], std::string("Haus"));
        QVERIFY(program.app.frame().isVisible());

        MessageSink::setNextAnswer(QMessageBox::No);
        trigger(program.app.frame(), CommandId::FileNew);
        QCOMPARE(MessageSink::takeShownTexts(), QStringList{kDemoQuestion});
    }

    void unreadableFileOnTheCommandLineEndsTheProgram() {
        Sandbox sandbox;
        const QString file = sandbox.path(QStringLiteral("kaputt.tavo"));
        QFile out(file);
        QVERIFY(out.open(QIODevice::WriteOnly));
        out.write("kein Projekt");
        out.close();
        Program program(sandbox);
        QVERIFY(!program.app.start({QStringLiteral("tavo"), file}));
        QCOMPARE(MessageSink::takeShownTexts(), QStringList{QStringLiteral("Datei %1 ist fehlerhaft!").arg(file)});
    }

    void unreadableFileOpenedFromTheMenuLeavesANewProject() {
        Sandbox sandbox;
        const QString good = sandbox.projectFile(QStringLiteral("haus.tavo"), "Haus");
        const QString bad = sandbox.path(QStringLiteral("kurz.tavo"));
        QFile out(bad);
        QVERIFY(out.open(QIODevice::WriteOnly));
        out.write(sandbox.bytes(good).left(20));  // the right magic, then the file ends
        out.close();
        Program program(sandbox);
        QVERIFY(program.app.start({QStringLiteral("tavo"), good}));
        program.app.frame().view()->tabControl()->SetActiveTab(2);

        program.app.doc().setFileDialogs(std::make_unique<ScriptedFileDialogs>(bad));
        trigger(program.app.frame(), CommandId::FileOpen);
        const QStringList shown = MessageSink::takeShownTexts();
        QCOMPARE(shown.size(), 1);
        // The end of the file is no system error: the reporter has no number to explain it.
        QVERIFY2(shown[0].startsWith(QStringLiteral("Unbekannter Fehler [1,0,")), qPrintable(shown[0]));
        const Document& document = program.app.doc().document();
        QCOMPARE(document.project().componentNames[0], std::string("Text Bauteil 1"));
        QVERIFY(document.path().empty());
        QVERIFY(!document.isModified());
        QCOMPARE(program.app.frame().view()->GetActivePageId(), PageId::Components);
    }

    void stoppingTheSampleOfferIsKeptInTheSettings() {
        Sandbox sandbox;
        {
            Program program(sandbox);
            MessageSink::setNextAnswer(QMessageBox::No);
            QVERIFY(program.app.start({QStringLiteral("tavo")}));
            MessageSink::takeShownTexts();
            trigger(program.app.frame(), CommandId::StopOfferingDemo);
            QCOMPARE(MessageSink::takeShownTexts(),
                     QStringList{QStringLiteral("Das Demoprojekt kann nun nur mehr über das\nÖffnen-Menü geladen werden.")});
        }
        QCOMPARE(IniProfile(sandbox.settingsFile()).getInt("Einstellungen", "Demo", 0), 1);
        Program later(sandbox);
        QVERIFY(later.app.start({QStringLiteral("tavo")}));
        QVERIFY(MessageSink::takeShownTexts().isEmpty());
    }

    void refusedValueDuringSaveSavesNothing() {
        Sandbox sandbox;
        const QString file = sandbox.projectFile(QStringLiteral("haus.tavo"), "Haus");
        const QByteArray before = sandbox.bytes(file);
        Program program(sandbox);
        QVERIFY(program.app.start({QStringLiteral("tavo"), file}));
        CPembFrame& frame = program.app.frame();
        field(frame, "titleLine1")->setText(QStringLiteral("Wohnhaus Müller"));
        field(frame, "startPage")->setText(QStringLiteral("1000"));

        trigger(frame, CommandId::FileSave);
        QCOMPARE(MessageSink::takeShownTexts(), QStringList{QStringLiteral("Geben Sie eine ganze Zahl zwischen 1 und 999 ein.")});
        QCOMPARE(sandbox.bytes(file), before);
        // The title line before the refused field was taken over: the project is modified.
        QVERIFY(program.app.doc().document().isModified());
        QCOMPARE(program.app.doc().document().project().titleLines[0], std::string("Wohnhaus M\xFCller"));
        QVERIFY(frame.isWindowModified());
    }

#if defined(__unix__)
    void failedSaveLeavesTheOldFileIntact() {
        Sandbox sandbox;
        const QString file = sandbox.projectFile(QStringLiteral("haus.tavo"), "Haus");
        const QByteArray before = sandbox.bytes(file);
        Program program(sandbox);
        QVERIFY(program.app.start({QStringLiteral("tavo"), file}));
        field(program.app.frame(), "titleLine1")->setText(QStringLiteral("Ein viel längerer Titel für das Haus"));

        {
            test::FileSizeLimit limit(16);
            trigger(program.app.frame(), CommandId::FileSave);
        }

        const QStringList shown = MessageSink::takeShownTexts();
        QCOMPARE(shown.size(), 1);
        QVERIFY2(shown[0].startsWith(QStringLiteral("Fehler beim Schreiben auf %1 [").arg(file)), qPrintable(shown[0]));
        QCOMPARE(sandbox.bytes(file), before);
        QVERIFY(program.app.doc().document().isModified());
    }
#endif

    void closingWithARefusedValueAsksOnlyWhetherToSave() {
        Sandbox sandbox;
        const QString file = sandbox.projectFile(QStringLiteral("haus.tavo"), "Haus");
        Program program(sandbox);
        QVERIFY(program.app.start({QStringLiteral("tavo"), file}));
        CPembFrame& frame = program.app.frame();
        field(frame, "titleLine1")->setText(QStringLiteral("Neu"));
        field(frame, "startPage")->setText(QStringLiteral("0"));

        MessageSink::setNextAnswer(QMessageBox::Cancel);
        QVERIFY(!frame.close());
        QCOMPARE(MessageSink::takeShownTexts(), QStringList{QStringLiteral("Änderungen in haus.tavo speichern?")});
        QVERIFY(frame.isVisible());

        MessageSink::setNextAnswer(QMessageBox::No);
        QVERIFY(frame.close());
        QCOMPARE(MessageSink::takeShownTexts(), QStringList{QStringLiteral("Änderungen in haus.tavo speichern?")});
    }

    void acceleratorsWorkWhileAnEntryDialogIsOpen() {
        Sandbox sandbox;
        const QString file = sandbox.projectFile(QStringLiteral("haus.tavo"), "Haus");
        Program program(sandbox);
        QVERIFY(program.app.start({QStringLiteral("tavo"), file}));
        field(program.app.frame(), "titleLine2")->setText(QStringLiteral("Zubau"));

        CEnterDialog dialog(&program.app.doc().document(), &program.app.frame());
        auto* entry = new QLineEdit(&dialog);
        dialog.setWindowModality(Qt::ApplicationModal);
        dialog.show();
        QCOMPARE(QApplication::activeModalWidget(), &dialog);
        QTest::keyClick(entry, Qt::Key_S, Qt::ControlModifier);
        QVERIFY(!program.app.doc().document().isModified());
        ProjectData saved;
        std::int32_t version = 0;
        QVERIFY(loadProjectFile(file.toStdString(), saved, version).ok);
        QCOMPARE(saved.titleLines[1], std::string("Zubau"));
    }

    void recentFilesAndPrintSettingsAreKeptAtExit() {
        Sandbox sandbox;
        const QString first = sandbox.projectFile(QStringLiteral("eins.tavo"), "Eins");
        const QString second = sandbox.projectFile(QStringLiteral("zwei.tavo"), "Zwei");
        {
            Program program(sandbox);
            QVERIFY(program.app.start({QStringLiteral("tavo"), first}));
            program.app.doc().openRecentFile(second);
            program.app.doc().openRecentFile(sandbox.path(QStringLiteral("fehlt.tavo")));
            QCOMPARE(MessageSink::takeShownTexts().size(), 1);
            program.app.exit();
        }
        const IniProfile profile(sandbox.settingsFile());
        QCOMPARE(loadRecentFiles(profile), (std::vector<std::string>{second.toStdString(), first.toStdString()}));
        QCOMPARE(profile.getInt("Print", "Left", 0), 20);
    }
};

QTEST_MAIN(ProgramTest)
#include "test_program.moc"
