// The two load pages as a user works them: entries of the built-in and own
// tables taken over into the chosen element, through the entry dialogs where a
// number is missing; and those dialogs' own checks of what is typed.

#include <QComboBox>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QRadioButton>
#include <QtTest>

#include "GuiTestSupport.h"
#include "app/gui/OutputCommands.h"
#include "library/LoadEntry.h"
#include "model/Windows1252.h"
#include "ui/LoadTakeOver.h"
#include "ui/OwnLoadTables.h"
#include "ui/widgets/GridBT.h"
#include "ui/widgets/DlgLasten_NU.h"
#include "ui/widgets/DlgLasten_ST.h"
#include "ui/widgets/LoadEntryDialogs.h"
#include "ui/widgets/LoadGrids.h"
#include "ui/widgets/TabControl.h"

using namespace tavo;
using namespace tavo::test;

namespace {

// Types text into field and presses "Okay"; true when the dialog closed accepted.
bool acceptWith(CLoadEntryDialog& dialog, QLineEdit* field, const QString& text) {
    field->setText(text);
    dialog.setResult(QDialog::Rejected);
    dialog.accept();
    return dialog.QDialog::result() == QDialog::Accepted;
}

// The runner's answer to a dialog of that kind: one field filled and "Okay" pressed.
template <typename Dialog>
ScriptedDialogs::Answer entering(QLineEdit* (Dialog::*field)() const, const char* text) {
    return [field, text](QDialog& shown) {
        auto* dialog = qobject_cast<Dialog*>(&shown);
        return dialog != nullptr && acceptWith(*dialog, (dialog->*field)(), QString::fromLatin1(text));
    };
}

// The entry of the count dialog for a value text as the take-over loads it.
CountValueEntry countValueEntry(const char* valueText, int group, PerUnitKind kind) {
    auto tables = std::make_unique<PermanentLoadTables>();
    tables->currentGroup = static_cast<std::uint32_t>(group);
    tables->perUnitKind = kind;
    tables->loadParamsForTakeOver(valueText);
    return CountValueEntry::fromParams(*tables);
}

// Each text refused with one message, then both bounds taken; the upper one last.
void checkRange(CLoadEntryDialog& dialog, QLineEdit* field, std::initializer_list<const char*> refused, const char* lower,
                const char* upper) {
    for (const char* text : refused) {
        QVERIFY2(!acceptWith(dialog, field, QString::fromLatin1(text)), text);
        QCOMPARE(MessageSink::takeShownTexts().size(), 1);
    }
    QVERIFY(acceptWith(dialog, field, QString::fromLatin1(lower)));
    QVERIFY(acceptWith(dialog, field, QString::fromLatin1(upper)));
}

}  // namespace

class LoadPagesTest : public QObject {
    Q_OBJECT

private:
    std::unique_ptr<Session> run_;

    template <typename Page = CLoadPage>
    Page* page(int tab) {
        run_->view().tabControl()->SetActiveTab(tab);
        return qobject_cast<Page*>(run_->view().GetActivePage());
    }

private Q_SLOTS:
    // The program on a project with one component "Decke", its element chosen and empty.
    void init() {
        run_ = std::make_unique<Session>();
        QVERIFY(run_->start(run_->sandbox.projectFile(QStringLiteral("leer.tavo"), "Decke")));
        run_->frame().activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&run_->frame()));
        run_->project().componentChosen = 1;
        run_->project().elementChosen = 1;
    }
    void cleanup() { run_.reset(); }

    void rowsAreTakenOverOnBothPages() {
        auto* dialogs = new ScriptedDialogs;
        run_->frame().output().setDialogRunner(std::unique_ptr<DialogRunner>(dialogs));
        auto* permanent = page<DlgLasten_ST>(1);
        QVERIFY(permanent != nullptr);
        // A plain value by the button and by the keyboard.
        permanent->takeOverButton(18)->click();
        QVERIFY(run_->document().isModified());
        permanent->builtInGrid()->SetCurrentCell(18, 4);
        QTest::keyClick(permanent->builtInGrid(), Qt::Key_Return, Qt::ControlModifier);
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
        // An own entry made on the spot.
        permanent->ownSourceButton()->click();
        QVERIFY(permanent->shownGrid() == permanent->ownGrid());
        permanent->ownGrid()->StoreCellText(1, 1, utf8ToWindows1252("Brüstung"));
        permanent->ownGrid()->StoreCellText(1, 2, "1,5");
        permanent->takeOverButton(1)->click();
        QCOMPARE(permanent->rowNames()->GetRowCount(), 5);

        // A category and a lower bound through its dialog.
        auto* imposed = page<DlgLasten_NU>(2);
        QVERIFY(imposed != nullptr);
        imposed->takeOverButton(1)->click();
        imposed->chooseRow(1);
        dialogs->answer(entering(&CLastWich3Dlg::loadField, "7,5"));
        imposed->takeOverButton(5)->click();
        QCOMPARE(imposed->rowNames()->GetRowCount(), 2);
        QVERIFY(MessageSink::takeShownTexts().isEmpty());

        QCOMPARE(run_->project().permRowCount[0][0], 5);
        const auto permanentRow = [this](int r) { return run_->project().permanentRow(0, 0, r); };
        QCOMPARE(permanentRow(0).unitWeight, std::string("24.00"));
        QCOMPARE(permanentRow(1).unitWeight, std::string("24.00"));
        QCOMPARE(permanentRow(2).unitWeight, std::string("7.25"));
        QCOMPARE(permanentRow(3).unitWeight, std::string("20.00"));  // 5 cm of gravel at 0.20 per cm
        QCOMPARE(permanentRow(3).thickness, std::string("5"));
        QCOMPARE(windows1252ToUtf8(permanentRow(4).description), std::string("Brüstung"));
        QCOMPARE(permanentRow(4).unitWeight, std::string("1.50"));
        QVERIFY(windows1252ToUtf8(run_->project().imposedRow(0, 0, 0).description).starts_with("Kat. A1, Wohnflächen"));
        QCOMPARE(run_->project().imposedRow(0, 0, 1).areaLoad, std::string("7.50"));
    }

    // The own tables' controls reach their rules: a filled table's unit changes only
    // when confirmed; a new group's name gets the focus and counts once it is left.
    void ownTablesOfThePermanentPage() {
        auto* permanent = page<DlgLasten_ST>(1);
        permanent->ownSourceButton()->click();
        permanent->ownGrid()->StoreCellText(1, 2, "2");
        QComboBox* unit = nullptr;
        for (QComboBox* combo : permanent->findChildren<QComboBox*>())
            if (combo->isVisible()) unit = combo;
        QVERIFY(unit != nullptr);
        for (QMessageBox::StandardButton answer : {QMessageBox::No, QMessageBox::Yes}) {
            MessageSink::setNextAnswer(answer);
            unit->setCurrentIndex(1);
            Q_EMIT unit->activated(1);
            QCOMPARE(MessageSink::takeShownTexts(), QStringList{QString::fromUtf8(kChangeUnitQuestion)});
            QCOMPARE(unit->currentIndex(), answer == QMessageBox::Yes ? 1 : 0);
            QCOMPARE(run_->project().permanentTables.ownTableUnit[0][0], answer == QMessageBox::Yes ? 2u : 1u);
        }

        permanent->newGroupButton()->click();
        auto* name = qobject_cast<QLineEdit*>(QApplication::focusWidget());
        QVERIFY(name != nullptr);
        name->setText(QStringLiteral("Gruppe 2"));
        permanent->ownSourceButton()->setFocus();
        QCOMPARE(run_->project().permanentTables.ownGroupCount, 2u);
    }

    void countAndLowerBoundStayInTheirRanges() {
        CLastWich2Dlg count(countValueEntry("0.20", 1, PerCentimetre));
        QVERIFY(!count.valueField()->isEnabled());  // a fixed value cannot change
        QCOMPARE(count.countField()->text(), QStringLiteral("1"));
        checkRange(count, count.countField(), {"0", "1001", "x"}, "1", "1000");
        QCOMPARE(count.entered().count, 1000);
        QCOMPARE(count.entered().value, 0.20);

        CLastWich2Dlg lowerBound(countValueEntry(">= 26.0", 0, Ordinary));
        QVERIFY(!lowerBound.countField()->isEnabled());
        QCOMPARE(lowerBound.valueField()->text(), QStringLiteral("26"));
        checkRange(lowerBound, lowerBound.valueField(), {"25,9", "60.01"}, "26", "60");
        QCOMPARE(lowerBound.entered().value, 60.0);

        auto tables = std::make_unique<ImposedLoadTables>();
        tables->currentTable = 4;
        tables->loadParamsForLowerBound(">= 4.0");
        CLastWich3Dlg imposed(ImposedLoadEntry::fromParams(*tables));
        QCOMPARE(imposed.loadField()->text(), QStringLiteral("4"));
        checkRange(imposed, imposed.loadField(), {"3.99", "10.5"}, "4", "10");
        QCOMPARE(imposed.load(), 10.0);
    }

    void leavingTheDensityFieldInterpolatesTheUnitWeight() {
        auto tables = std::make_unique<PermanentLoadTables>();
        tables->splitParams("Trockenrohdichte;450;850;850;5.0;9.5;9.5");
        CLastWichDlg dialog(DryDensityEntry::fromParams(*tables));
        dialog.show();
        dialog.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&dialog));
        QCOMPARE(dialog.densityField()->text(), QStringLiteral("850"));
        QCOMPARE(dialog.unitWeightField()->text(), QStringLiteral("9.5"));

        dialog.densityField()->setFocus();
        dialog.densityField()->setText(QStringLiteral("650"));
        QTest::keyClick(dialog.densityField(), Qt::Key_Tab);
        QCOMPARE(dialog.unitWeightField()->text(), QStringLiteral("7.25"));

        dialog.densityField()->setFocus();
        dialog.densityField()->setText(QStringLiteral("449"));
        QTest::keyClick(dialog.densityField(), Qt::Key_Tab);  // refused: the unit weight stays
        QCOMPARE(MessageSink::takeShownTexts().size(), 1);
        QCOMPARE(dialog.unitWeightField()->text(), QStringLiteral("7.25"));

        dialog.densityField()->setText(QStringLiteral("450"));
        QTest::keyClick(dialog.densityField(), Qt::Key_Tab);
        QCOMPARE(dialog.unitWeightField()->text(), QStringLiteral("5"));
        QVERIFY(acceptWith(dialog, dialog.unitWeightField(), QStringLiteral("6,1")));
        QCOMPARE(dialog.unitWeight(), 6.1);
    }
};

QTEST_MAIN(LoadPagesTest)
#include "test_load_pages.moc"
