// The two load pages as a user works them: entries of the built-in and own
// tables taken over into an element, through the entry dialogs where a number
// is missing, and found again in the saved file and the listing.

#include <QAccessible>
#include <QHelpEvent>
#include <QComboBox>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QRadioButton>
#include <QToolTip>
#include <QtTest>

#include "GuiTestSupport.h"
#include "app/gui/MainWindow.h"
#include "app/gui/OutputCommands.h"
#include "app/gui/PembDoc.h"
#include "model/Windows1252.h"
#include "output/HeaderLines.h"
#include "output/ListingText.h"
#include "output/PrintSettings.h"
#include "ui/LoadTakeOver.h"
#include "ui/OwnLoadTables.h"
#include "ui/widgets/DlgAllgemein.h"
#include "ui/widgets/GridBT.h"
#include "ui/widgets/DlgLasten_NU.h"
#include "ui/widgets/DlgLasten_ST.h"
#include "ui/widgets/LoadEntryDialogs.h"
#include "ui/widgets/LoadGrids.h"
#include "ui/widgets/PembView.h"
#include "ui/widgets/TabControl.h"

using namespace tavo;
using namespace tavo::test;

namespace {

// Fills one field of an entry dialog and presses "Okay".
template <typename Dialog>
ScriptedDialogs::Answer entering(QLineEdit* (Dialog::*field)() const, const char* text) {
    return [field, text](QDialog& shown) {
        auto* dialog = qobject_cast<Dialog*>(&shown);
        if (dialog == nullptr) return false;
        (dialog->*field)()->setText(QString::fromLatin1(text));
        dialog->accept();
        return dialog->result() == QDialog::Accepted;
    };
}

std::string utf8(const std::string& projectText) { return windows1252ToUtf8(projectText); }

// The program on a project with one component "Decke" and nothing in it.
struct EmptyProgram {
    Sandbox sandbox;
    Program program{sandbox};

    bool start() { return program.app.start({QStringLiteral("tavo"), sandbox.projectFile(QStringLiteral("leer.tavo"), "Decke")}); }
    ProjectData& project() { return program.app.doc().document().project(); }
    CPembView& view() { return *program.app.frame().view(); }
    DlgLasten_ST* permanentPage() {
        view().tabControl()->SetActiveTab(1);
        return qobject_cast<DlgLasten_ST*>(view().GetActivePage());
    }
};

}  // namespace

class LoadPagesTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void rowsTakenOverOnBothPagesReachTheFileAndTheListing() {
        Sandbox sandbox;
        const QString file = sandbox.projectFile(QStringLiteral("decke.tavo"), "Decke");
        Program program{sandbox};
        QVERIFY(program.app.start({QStringLiteral("tavo"), file}));
        CPembFrame& frame = program.app.frame();
        frame.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&frame));
        Document& document = program.app.doc().document();
        ProjectData& project = document.project();
        project.componentCount = 1;
        project.elementCount[0] = 1;
        project.elementNames[0][0] = "Geschossdecke";
        project.componentChosen = 1;
        project.elementChosen = 1;
        auto* dialogs = new ScriptedDialogs;
        frame.output().setDialogRunner(std::unique_ptr<DialogRunner>(dialogs));
        CPembView& view = *frame.view();

        // "Ständige Lasten": a plain value, by the button and by the keyboard.
        view.tabControl()->SetActiveTab(1);
        auto* permanent = qobject_cast<DlgLasten_ST*>(view.GetActivePage());
        QVERIFY(permanent != nullptr);
        QCOMPARE(permanent->takeOverButton(18)->accessibleName(), QStringLiteral("Übernehmen Zeile 18"));
        // The value cell tells where the value comes from.
        XGridWnd* grid = permanent->builtInGrid();
        const QPoint cell = grid->visualRect(grid->model()->index(17, 3)).center();
        QHelpEvent help(QEvent::ToolTip, cell, grid->viewport()->mapToGlobal(cell));
        QApplication::sendEvent(grid->viewport(), &help);
        QCOMPARE(QToolTip::text(), QStringLiteral("EN 1991-1-1, Tabelle A.1"));
        permanent->takeOverButton(18)->click();
        QVERIFY(document.isModified());
        permanent->builtInGrid()->SetCurrentCell(18, 4);
        QTest::keyClick(permanent->builtInGrid(), Qt::Key_Return, Qt::ControlModifier);
        QCOMPARE(project.permRowCount[0][0], 2);
        QCOMPARE(permanent->rowNames()->GetRowCount(), 2);

        // A dry density through its dialog.
        dialogs->answer(entering(&CLastWichDlg::unitWeightField, "7.25"));
        permanent->takeOverButton(9)->click();

        // A surcharge per cm of gravel, and a glass surcharge refused until its glass stands.
        const Accordion& accordion = permanent->accordion();
        permanent->chooseRow(accordion.rowOfGroup(1));
        permanent->chooseRow(accordion.rowOfTable(5));
        dialogs->answer(entering(&CLastWich2Dlg::countField, "5"));
        permanent->takeOverButton(2)->click();
        permanent->chooseRow(accordion.rowOfTable(1));
        permanent->takeOverButton(3)->click();
        QCOMPARE(MessageSink::takeShownTexts(), QStringList{QString::fromUtf8(kNoParentLoadMessage)});
        permanent->takeOverButton(1)->click();
        dialogs->answer(entering(&CLastWich2Dlg::countField, "2"));
        permanent->takeOverButton(3)->click();

        // An own entry made on the spot.
        permanent->ownSourceButton()->click();
        QVERIFY(permanent->shownGrid() == permanent->ownGrid());
        permanent->ownGrid()->StoreCellText(1, 1, utf8ToWindows1252("Brüstung"));
        permanent->ownGrid()->StoreCellText(1, 2, "1,5");
        permanent->takeOverButton(1)->click();
        QCOMPARE(project.permRowCount[0][0], 7);

        // "Nutzlasten": a category, a lower bound through its dialog and an own entry.
        view.tabControl()->SetActiveTab(2);
        auto* imposed = qobject_cast<DlgLasten_NU*>(view.GetActivePage());
        QVERIFY(imposed != nullptr);
        imposed->takeOverButton(1)->click();
        imposed->chooseRow(1);
        dialogs->answer(entering(&CLastWich3Dlg::loadField, "7,5"));
        imposed->takeOverButton(5)->click();
        imposed->ownSourceButton()->click();
        imposed->ownGrid()->StoreCellText(1, 1, "Maschine");
        imposed->ownGrid()->StoreCellText(1, 2, "3");
        imposed->takeOverButton(1)->click();
        QCOMPARE(imposed->rowNames()->GetRowCount(), 3);
        QCOMPARE(dialogs->shownTitles(), (QStringList{QStringLiteral("Wichte berechnen lassen oder direkt eingeben"),
                                                      QStringLiteral("Dicke und Wichte/Last eingeben"),
                                                      QStringLiteral("Dicke und Wichte/Last eingeben"),
                                                      QStringLiteral("Last eingeben")}));
        QVERIFY(MessageSink::takeShownTexts().isEmpty());

        // The rows stand on "Bauteile", where the thicknesses are typed; then the project is saved.
        view.tabControl()->SetActiveTab(0);
        auto* components = qobject_cast<DlgAllgemein*>(view.GetActivePage());
        QVERIFY(components != nullptr);
        std::string shown;
        components->permanentGrid()->GetCellText(7, 1, shown);
        QCOMPARE(utf8(shown), std::string("Brüstung"));
        for (int row : {1, 2, 3, 7}) components->permanentGrid()->StoreCellText(row, 3, "20");
        const QString saved = sandbox.path(QStringLiteral("gespeichert.tavo"));
        QVERIFY(document.saveDocument(saved.toStdString()));
        ProjectData reread;
        std::int32_t version = 0;
        QVERIFY(loadProjectFile(saved.toStdString(), reread, version).ok);

        const auto permanentRow = [&reread](int r) { return reread.permanentRow(0, 0, r); };
        QCOMPARE(reread.permRowCount[0][0], 7);
        QCOMPARE(permanentRow(0).unitWeight, std::string("24.00"));
        QCOMPARE(permanentRow(0).areaLoad, std::string("4.80"));
        QCOMPARE(permanentRow(2).unitWeight, std::string("7.25"));
        QCOMPARE(permanentRow(3).unitWeight, std::string("20.00"));  // 5 cm of gravel at 0.20 per cm
        QCOMPARE(permanentRow(3).thickness, std::string("5"));
        QCOMPARE(permanentRow(3).areaLoad, std::string("1.00"));
        QCOMPARE(permanentRow(5).areaLoad, std::string("0.06"));  // 2 mm more glass at 0.03
        QCOMPARE(utf8(permanentRow(6).description), std::string("Brüstung"));
        QCOMPARE(permanentRow(6).unitWeight, std::string("1.50"));
        QCOMPARE(reread.imposedRowCount[0][0], 3);
        QVERIFY(utf8(reread.imposedRow(0, 0, 0).description).starts_with("Kat. A1, Wohnflächen"));
        QCOMPARE(reread.imposedRow(0, 0, 0).areaLoad, std::string("2.00"));
        QCOMPARE(reread.imposedRow(0, 0, 1).areaLoad, std::string("7.50"));
        QCOMPARE(reread.imposedRow(0, 0, 2).areaLoad, std::string("3.00"));

        const PrintSettings settings;
        const HeaderLines banner;
        const TextListing listing = listingAsText(reread, ListingFrame{settings, banner, "gespeichert.tavo"});
        QVERIFY(listing.build.listed);
        std::string text;
        for (const std::string& page : listing.pages) text += page;
        for (const char* expected : {"Normalbeton", "Lagerräume", "Maschine", "Brüstung", "7.25", "7.50", "4.80"})
            QVERIFY2(text.find(expected) != std::string::npos, expected);
    }

    void everyControlOfBothPagesHasANameForAssistiveTechnology() {
        EmptyProgram program;
        QVERIFY(program.start());
        program.project().componentChosen = 1;
        program.project().elementChosen = 1;
        CPembView& view = program.view();
        for (int tab : {1, 2}) {
            view.tabControl()->SetActiveTab(tab);
            auto* page = qobject_cast<CLoadPage*>(view.GetActivePage());
            for (QRadioButton* source : {page->builtInSourceButton(), page->ownSourceButton()}) {
                source->click();
                int named = 0;
                for (QWidget* control : page->findChildren<QWidget*>()) {
                    if (!control->isVisible() || !(control->focusPolicy() & Qt::TabFocus)) continue;
                    QAccessibleInterface* accessible = QAccessible::queryAccessibleInterface(control);
                    const QString what = QString::fromLatin1(control->metaObject()->className());
                    QVERIFY2(accessible != nullptr && !accessible->text(QAccessible::Name).isEmpty(), qPrintable(what));
                    ++named;
                }
                QVERIFY(named >= 15);  // the source buttons, the chooser rows, the grids and their buttons
            }
        }
    }

    void ownTablesGrowUpToTheirLimits() {
        EmptyProgram program;
        QVERIFY(program.start());
        program.program.app.frame().activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&program.program.app.frame()));
        DlgLasten_ST* permanent = program.permanentPage();
        permanent->ownSourceButton()->click();
        QVERIFY(!permanent->builtInSourceButton()->isChecked());
        for (int g = 2; g <= 8; ++g) {
            QVERIFY2(permanent->newGroupButton()->isVisible(), qPrintable(QString::number(g)));
            permanent->newGroupButton()->click();
            QVERIFY(!permanent->newGroupButton()->isVisible());
            auto* name = qobject_cast<QLineEdit*>(QApplication::focusWidget());
            QVERIFY(name != nullptr);
            name->setText(QStringLiteral("Gruppe %1").arg(g));
            permanent->ownSourceButton()->setFocus();  // leaving the name commits it
        }
        QCOMPARE(program.project().permanentTables.ownGroupCount, 8u);
        QVERIFY(!permanent->newGroupButton()->isVisible());
    }

    void unitOfAFilledOwnTableChangesOnlyWhenConfirmed() {
        EmptyProgram program;
        QVERIFY(program.start());
        DlgLasten_ST* permanent = program.permanentPage();
        permanent->ownSourceButton()->click();
        permanent->ownGrid()->StoreCellText(1, 2, "2");
        QComboBox* unit = nullptr;
        for (QComboBox* combo : permanent->findChildren<QComboBox*>())
            if (combo->isVisible()) unit = combo;
        QVERIFY(unit != nullptr);
        const std::uint32_t& stored = program.project().permanentTables.ownTableUnit[0][0];

        const auto chooseSecondUnit = [unit](QMessageBox::StandardButton answer) {
            MessageSink::setNextAnswer(answer);
            unit->setCurrentIndex(1);
            Q_EMIT unit->activated(1);
            return MessageSink::takeShownTexts();
        };
        QCOMPARE(chooseSecondUnit(QMessageBox::No), QStringList{QString::fromUtf8(kChangeUnitQuestion)});
        QCOMPARE(stored, 1u);
        QCOMPARE(unit->currentIndex(), 0);
        QCOMPARE(chooseSecondUnit(QMessageBox::Yes), QStringList{QString::fromUtf8(kChangeUnitQuestion)});
        QCOMPARE(stored, 2u);
        std::string header;
        permanent->ownGrid()->GetColumnTitle(2, header);
        QCOMPARE(utf8(header), std::string("Last (kN/m²)"));
    }
};

QTEST_MAIN(LoadPagesTest)
#include "test_load_pages.moc"
