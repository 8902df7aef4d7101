#include <QApplication>
#include <QLineEdit>
#include <QTest>

#include <memory>

#include "library/LoadEntry.h"
#include "ui/widgets/LoadEntryDialogs.h"
#include "ui/widgets/MessageSink.h"

using namespace tavo;

namespace {

// The entry of the count dialog for a value text as the take-over loads it.
CountValueEntry countValueEntry(const char* valueText, int group, PerUnitKind kind) {
    auto tables = std::make_unique<PermanentLoadTables>();
    tables->currentGroup = static_cast<std::uint32_t>(group);
    tables->perUnitKind = kind;
    tables->loadParamsForTakeOver(valueText);
    return CountValueEntry::fromParams(*tables);
}

// Types text into field and presses "Okay"; true when the dialog closed accepted.
bool acceptWith(CLoadEntryDialog& dialog, QLineEdit* field, const QString& text) {
    field->setText(text);
    dialog.setResult(QDialog::Rejected);
    dialog.accept();
    return dialog.QDialog::result() == QDialog::Accepted;
}

}  // namespace

class EntryDialogsTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void init() { MessageSink::startScript(); }
    void cleanup() { MessageSink::endScript(); }

    void countRunsFromOneToAThousandAndAFixedValueCannotChange() {
        CLastWich2Dlg dialog(countValueEntry("0.20", 1, PerCentimetre));
        QVERIFY(dialog.countField()->isEnabled());
        QVERIFY(!dialog.valueField()->isEnabled());
        QCOMPARE(dialog.countField()->accessibleName(), QStringLiteral("Dicke in cm"));
        QCOMPARE(dialog.countField()->text(), QStringLiteral("1"));
        for (const char* refused : {"0", "1001", "x"}) {
            QVERIFY2(!acceptWith(dialog, dialog.countField(), QString::fromLatin1(refused)), refused);
            QCOMPARE(MessageSink::takeShownTexts().size(), 1);
        }
        QVERIFY(acceptWith(dialog, dialog.countField(), QStringLiteral("1000")));
        QCOMPARE(dialog.entered().count, 1000);
        QCOMPARE(dialog.entered().value, 0.20);
        QVERIFY(acceptWith(dialog, dialog.countField(), QStringLiteral("1")));
    }

    void lowerBoundValueLiesBetween26And60() {
        CLastWich2Dlg dialog(countValueEntry(">= 26.0", 0, Ordinary));
        QVERIFY(!dialog.countField()->isEnabled());
        QCOMPARE(dialog.valueField()->text(), QStringLiteral("26"));
        for (const char* refused : {"25,9", "60.01"}) QVERIFY2(!acceptWith(dialog, dialog.valueField(), QString::fromLatin1(refused)), refused);
        QCOMPARE(MessageSink::takeShownTexts().size(), 2);
        QVERIFY(acceptWith(dialog, dialog.valueField(), QStringLiteral("60")));
        QCOMPARE(dialog.entered().value, 60.0);
        QVERIFY(acceptWith(dialog, dialog.valueField(), QStringLiteral("26")));
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
        QTRY_COMPARE(dialog.densityField()->selectedText(), QStringLiteral("650"));

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

    void imposedLoadStaysInItsRange() {
        auto tables = std::make_unique<ImposedLoadTables>();
        tables->currentTable = 4;
        tables->loadParamsForLowerBound(">= 4.0");
        CLastWich3Dlg dialog(ImposedLoadEntry::fromParams(*tables));
        QCOMPARE(dialog.loadField()->text(), QStringLiteral("4"));
        for (const char* refused : {"3.99", "10.5"}) QVERIFY2(!acceptWith(dialog, dialog.loadField(), QString::fromLatin1(refused)), refused);
        QVERIFY(acceptWith(dialog, dialog.loadField(), QStringLiteral("10")));
        QCOMPARE(dialog.load(), 10.0);
    }
};

QTEST_MAIN(EntryDialogsTest)
#include "test_entry_dialogs.moc"
