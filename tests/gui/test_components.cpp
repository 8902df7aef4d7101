// The components page as the user works it, mostly with the keyboard: the list
// of components and elements, the entries in both grids as the saved file
// shows them, and the two row dialogs.

#include <QAbstractButton>
#include <QLineEdit>
#include <QtTest>

#include "GuiTestSupport.h"
#include "app/gui/Commands.h"
#include "file/ProjectFile.h"
#include "ui/widgets/CBTZLoe.h"
#include "ui/widgets/CLastKorrDlg.h"
#include "ui/widgets/DlgAllgemein.h"
#include "ui/widgets/GridBT.h"
#include "ui/widgets/TabControl.h"

using namespace tavo;
using namespace tavo::test;

namespace {

const QString kNoSuchRow = QStringLiteral("Zeile nicht vorhanden!");

// One component "Decke" with one element "Platte": a layer, an area load and a
// point load; an imposed area load and a line load.
ProjectData slabProject() {
    ProjectData project;
    project.componentNames[0] = "Decke";
    project.elementNames[0][0] = "Platte";
    project.permanentRow(0, 0, 0) = PermanentRow{"Beton", "24.00", "", "", "", "", "", PermanentUnit::Layer};
    project.permanentRow(0, 0, 1) = PermanentRow{"Estrich", "", "", "1.10", "", "", "", PermanentUnit::AreaLoad};
    project.permanentRow(0, 0, 2) = PermanentRow{"Rohr", "", "", "", "", "", "0.35", PermanentUnit::PointLoad};
    project.permRowCount[0][0] = 3;
    project.imposedRow(0, 0, 0) = ImposedRow{"Wohnen", "2.00", "", "", "", ImposedUnit::AreaLoad};
    project.imposedRow(0, 0, 1) = ImposedRow{"Brüstung", "", "", "0.50", "", ImposedUnit::LineLoad};
    project.imposedRowCount[0][0] = 2;
    return project;
}

// Types text into a dialog's field, shown and active as the user meets it, and
// leaves the field with Tab; returns the messages shown.
QStringList enter(QDialog& dialog, QLineEdit* field, const QString& text) {
    dialog.show();
    QApplication::setActiveWindow(&dialog);
    field->setFocus();
    field->selectAll();
    QTest::keyClicks(field, text);
    QTest::keyClick(field, Qt::Key_Tab);
    return MessageSink::takeShownTexts();
}

}  // namespace

class ComponentsTest : public QObject {
    Q_OBJECT

private:
    std::unique_ptr<Session> run_;
    QString file_;

    DlgAllgemein& page() { return *static_cast<DlgAllgemein*>(run_->view().tabControl()->page(0)); }
    template <typename T = QWidget>
    T* child(const QString& name) {
        T* found = page().findChild<T*>(name);
        if (found == nullptr) qFatal("no %s", qPrintable(name));
        return found;
    }
    QLineEdit* edit(const QString& name) { return child<QLineEdit>(name); }
    QWidget* focused() { return QApplication::focusWidget(); }
    void press(Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier) { QTest::keyClick(focused(), key, modifiers); }
    void type(const QString& text) { QTest::keyClicks(focused(), text); }
    void pressButton(const QString& button) {
        child(button)->setFocus();
        press(Qt::Key_Space);
    }
    // Types into a grid cell and ends the entry with a key.
    void typeIntoCell(XGridWnd* grid, int row, int column, const QString& text, Qt::Key end) {
        grid->setFocus();
        grid->SetCurrentCell(row, column);
        QTest::keyClicks(grid, text.left(1));
        type(text.mid(1));
        press(end);
    }
    // Started on the file, or on none, with the window active as keys need it.
    void start(const QString& file = {}) {
        QVERIFY(run_->start(file));
        run_->frame().activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&run_->frame()));
    }
    void startOnSlab() { start(file_ = run_->sandbox.projectFile(QStringLiteral("decke.tavo"), slabProject())); }
    // The runner answers the page's next dialog with answer.
    void answerDialog(std::function<bool(QDialog&)> answer) { page().setDialogRunner(std::move(answer)); }

private Q_SLOTS:
    void initTestCase() { prepareQtApplication(*qApp); }
    void init() { run_ = std::make_unique<Session>(); }
    void cleanup() { run_.reset(); }

    void aNewProjectIsBuiltWithTheKeyboardAlone() {
        MessageSink::setNextAnswer(QMessageBox::No);  // no sample
        start();
        MessageSink::takeShownTexts();
        edit(QStringLiteral("componentName0"))->setFocus();
        edit(QStringLiteral("componentName0"))->selectAll();
        type(QStringLiteral("Decke"));
        press(Qt::Key_Return);  // on to the next field, as Tab

        // A new component needs a name before it counts.
        pressButton(QStringLiteral("newComponent"));
        QCOMPARE(focused(), edit(QStringLiteral("componentName1")));
        press(Qt::Key_Tab);
        QCOMPARE(MessageSink::takeShownTexts(), QStringList{QStringLiteral("Eingabe darf nicht leer sein!")});
        QCOMPARE(focused(), edit(QStringLiteral("componentName1")));
        QCOMPARE(run_->project().componentCount, 1);
        type(QStringLiteral("Wand"));
        press(Qt::Key_Return);

        pressButton(QStringLiteral("componentMarker1"));
        edit(QStringLiteral("elementName1"))->setFocus();
        type(QStringLiteral("Außenwand"));
        press(Qt::Key_Return);
        pressButton(QStringLiteral("newElement"));
        type(QStringLiteral("Innenwand"));
        press(Qt::Key_Return);
        QVERIFY(MessageSink::takeShownTexts().isEmpty());
        QCOMPARE(run_->project().componentCount, 2);
        QCOMPARE(run_->project().componentNames[1], std::string("Wand"));
        QCOMPARE(run_->project().elementCount[1], 2);
        QCOMPARE(run_->project().elementNames[1][0], std::string("Au\xdf" "enwand"));
        QCOMPARE(run_->project().elementNames[1][1], std::string("Innenwand"));
        QVERIFY(run_->document().isModified());
    }

    void gridEntriesReachTheSavedFile() {
        startOnSlab();
        typeIntoCell(page().permanentGrid(), 1, 3, QStringLiteral("12,34"), Qt::Key_Return);
        int row = 0, column = 0;
        page().permanentGrid()->GetCurrentCell(row, column);
        QCOMPARE(column, 5);  // Enter goes on to the width
        type(QStringLiteral("2"));
        press(Qt::Key_Return);
        typeIntoCell(page().imposedGrid(), 1, 3, QStringLiteral("1.5"), Qt::Key_Return);
        QCOMPARE(page().permanentGrid()->model()->index(0, 3).data().toString(), QStringLiteral("2.96"));

        run_->frame().action(CommandId::FileSave)->trigger();
        QVERIFY(!run_->document().isModified());
        ProjectData saved;
        std::int32_t version = 0;
        QVERIFY(loadProjectFile(file_.toStdString(), saved, version).ok);
        const PermanentRow& layer = saved.permanentRow(0, 0, 0);
        QCOMPARE(layer.thickness, std::string("12.3"));
        QCOMPARE(layer.areaLoad, std::string("2.96"));  // 24 × 12.34 / 100, from the number as typed
        QCOMPARE(layer.influenceWidth, std::string("2"));
        QCOMPARE(layer.lineLoad, std::string("5.92"));
        QCOMPARE(saved.imposedRow(0, 0, 0).lineLoad, std::string("3.00"));

        // The stored text typed again changes nothing.
        typeIntoCell(page().permanentGrid(), 1, 3, QStringLiteral("12.3"), Qt::Key_Return);
        typeIntoCell(page().imposedGrid(), 1, 3, QStringLiteral("1.5"), Qt::Key_Return);
        QVERIFY(!run_->document().isModified());
    }

    void copyingTheChosenElement() {
        startOnSlab();
        pressButton(QStringLiteral("copyElement"));
        QCOMPARE(edit(QStringLiteral("elementName1"))->text(), QStringLiteral("Platte"));
        QCOMPARE(run_->project().imposedRow(0, 1, 1).lineLoad, std::string("0.50"));
        QVERIFY(run_->document().isModified());
    }

    // The switch letter reveals the manual correction; both row dialogs refuse a
    // row that is not there, and their entries reach the rows.
    void theRowDialogs() {
        startOnSlab();
        QVERIFY(!child(QStringLiteral("permanentCorrect"))->isVisible());
        QLineEdit* name = edit(QStringLiteral("componentName0"));
        name->setFocus();
        name->selectAll();
        type(QStringLiteral("k"));
        press(Qt::Key_Tab);
        QCOMPARE(name->text(), QStringLiteral("Decke"));
        QVERIFY(child(QStringLiteral("imposedCorrect"))->isVisible());

        QStringList shown;
        answerDialog([&shown](QDialog& dialog) {
            auto& remove = static_cast<CBTZLoe&>(dialog);
            shown += remove.descriptionField()->text();  // the last row is proposed
            shown += enter(dialog, remove.rowField(), QStringLiteral("4"));
            remove.rowField()->setText(QStringLiteral("2"));
            remove.accept();
            return remove.result() == QDialog::Accepted;
        });
        child<QAbstractButton>(QStringLiteral("permanentDelete"))->click();
        QCOMPARE(shown, (QStringList{QStringLiteral("Rohr"), kNoSuchRow}));
        QCOMPARE(run_->project().permRowCount[0][0], 2);
        QCOMPARE(page().permanentGrid()->model()->index(1, 0).data().toString(), QStringLiteral("Rohr"));
        QVERIFY(run_->document().isModified());

        shown.clear();
        answerDialog([&shown](QDialog& dialog) {
            auto& correct = static_cast<CLastKorrDlg&>(dialog);
            shown += enter(dialog, correct.thicknessField(), QStringLiteral("0"));
            shown += enter(dialog, correct.thicknessField(), QStringLiteral("10"));
            shown += correct.areaLoadField()->text();
            correct.accept();
            return correct.result() == QDialog::Accepted;
        });
        child<QAbstractButton>(QStringLiteral("permanentCorrect"))->click();
        QCOMPARE(shown, (QStringList{QStringLiteral("Geben Sie bitte eine Zahl größer 0 ein."), QStringLiteral("2.4")}));
        QCOMPARE(run_->project().permanentRow(0, 0, 0).areaLoad, std::string("2.40"));
        QCOMPARE(page().permanentGrid()->model()->index(0, 3).data().toString(), QStringLiteral("2.40"));

        shown.clear();
        answerDialog([&shown](QDialog& dialog) {
            auto& correct = static_cast<CLastKorrDlg&>(dialog);
            shown += enter(dialog, correct.rowField(), QStringLiteral("2"));  // an imposed line load takes no correction
            return false;
        });
        child<QAbstractButton>(QStringLiteral("imposedCorrect"))->click();
        QCOMPARE(shown, QStringList{QStringLiteral("Keine Eingabe für diese Zeile vorgesehen!")});
    }
};

QTEST_MAIN(ComponentsTest)
#include "test_components.moc"
