// The output commands with their dialogs played by the test: printing and the
// preview with its PDF button, the PDF export, page set-up, header and footer, and
// the output fonts; and the results page that shows the listing they print.

#include <QAbstractButton>
#include <QCheckBox>
#include <QFileDialog>
#include <QFontDialog>
#include <QLineEdit>
#include <QPageSetupDialog>
#include <QPlainTextEdit>
#include <QPrintDialog>
#include <QPrintPreviewWidget>
#include <QPrinter>
#include <QRadioButton>
#include <QScrollBar>
#include <QStatusBar>
#include <QTabBar>
#include <QtTest>

#include "GuiTestSupport.h"
#include "app/gui/Commands.h"
#include "app/gui/OutputCommands.h"
#include "app/gui/PreviewDialog.h"
#include "output/PageComposer.h"
#include "output/PrintSettings.h"
#include "support/SampleProjects.h"
#include "ui/widgets/DlgErgebnis.h"
#include "ui/widgets/DlgFussKopf.h"
#include "ui/widgets/TabControl.h"

using namespace tavo;
using namespace tavo::test;

namespace {

int pdfPageCount(const QByteArray& pdf) {
    return static_cast<int>(pdf.count("/Type /Page\n") + pdf.count("/Type /Page\r") + pdf.count("/Type /Page "));
}

QPrinter& printerOf(QDialog& dialog) {
    if (auto* print = qobject_cast<QPrintDialog*>(&dialog)) return *print->printer();
    return *qobject_cast<QPageSetupDialog*>(&dialog)->printer();
}

}  // namespace

class OutputTest : public QObject {
    Q_OBJECT

private:
    std::unique_ptr<Session> run_;
    ScriptedDialogs* dialogs_ = nullptr;

    PrintSettings& settings() { return run_->app.printSettings(); }
    CErgebnisFenster* results() { return static_cast<DlgErgebnis*>(run_->view().tabControl()->page(3))->resultsWindow(); }
    void trigger(int commandId) { run_->frame().action(commandId)->trigger(); }
    QString pdfPath() const { return run_->sandbox.path(QStringLiteral("haus.pdf")); }

private Q_SLOTS:
    void initTestCase() { prepareQtApplication(*qApp); }

    void init() {
        run_ = std::make_unique<Session>();
        ProjectData project = makeSmallProject();
        project.startPage = 5;
        QVERIFY(run_->start(run_->sandbox.projectFile(QStringLiteral("haus.tavo"), project)));
        run_->frame().resize(1600, 900);
        dialogs_ = new ScriptedDialogs;
        run_->frame().output().setDialogRunner(std::unique_ptr<DialogRunner>(dialogs_));
    }

    void cleanup() {
        QVERIFY(MessageSink::takeShownTexts().isEmpty());
        run_.reset();
    }

    void printingOffersThePagesFromTheStartPageAndAFileBesideTheProject() {
        const QString all = run_->sandbox.path(QStringLiteral("alle.pdf"));
        int firstPage = 0;
        QString proposed;
        dialogs_->answer([&](QDialog& dialog) {
            firstPage = static_cast<QPrintDialog&>(dialog).minPage();
            proposed = printerOf(dialog).outputFormat() == QPrinter::PdfFormat ? printerOf(dialog).outputFileName() : pdfPath();
            printerOf(dialog).setOutputFileName(all);
            return true;
        });
        trigger(CommandId::Print);
        QCOMPARE(firstPage, 5);
        // Printed to a file, the listing goes beside the project.
        QCOMPARE(proposed, pdfPath());
        QCOMPARE(pdfPageCount(run_->sandbox.bytes(all)), 1);
    }

    void aRefusedEntryStopsPrintingBeforeTheDialog() {
        run_->frame().findChild<QLineEdit*>(QStringLiteral("startPage"))->setText(QStringLiteral("1000"));
        trigger(CommandId::Print);
        trigger(CommandId::PrintPreview);
        trigger(CommandId::ExportPdf);
        QCOMPARE(MessageSink::takeShownTexts().size(), 3);
        QVERIFY(dialogs_->shownTitles().isEmpty());
    }

    // Both of the preview's outputs leave it open on its pages.
    void thePreviewStaysOpenAfterItsOutputAndShowsItsPagesAgain() {
        for (const QString& command : {QStringLiteral("Export PDF"), QStringLiteral("Drucken...")}) {
            QFile::remove(pdfPath());
            int shownPages = 0;
            int pagesAfterwards = 0;
            bool closed = true;
            dialogs_->answer([&](QDialog& dialog) {
                auto& preview = static_cast<PreviewDialog&>(dialog);
                shownPages = preview.pages()->pageCount();
                preview.command(command)->trigger();
                closed = preview.result() == QDialog::Accepted;
                pagesAfterwards = preview.pages()->pageCount();
                return false;
            });
            QString proposed;
            dialogs_->answer([&](QDialog& dialog) {
                if (auto* files = qobject_cast<QFileDialog*>(&dialog)) {
                    proposed = files->selectedFiles().value(0);
                    files->selectFile(pdfPath());
                } else {
                    printerOf(dialog).setOutputFileName(pdfPath());
                }
                return true;
            });
            trigger(CommandId::PrintPreview);
            QVERIFY2(!closed, qPrintable(command));
            QCOMPARE(shownPages, 1);
            QCOMPARE(pagesAfterwards, shownPages);
            QCOMPARE(pdfPageCount(run_->sandbox.bytes(pdfPath())), shownPages);
            if (proposed.isEmpty()) continue;
            // The project's name in its folder, with the extension the dialog adds.
            QCOMPARE(proposed, pdfPath());
            QCOMPARE(run_->frame().statusBar()->currentMessage(), QStringLiteral("PDF-Datei haus.pdf gespeichert"));
        }
        QCOMPARE(dialogs_->shownTitles(), (QStringList{QStringLiteral("Seitenansicht"), QStringLiteral("PDF Export"),
                                                       QStringLiteral("Seitenansicht"), QStringLiteral("Drucken")}));
    }

    void aListingThatCannotBeComposedExportsNothing() {
        ProjectData project = makeSmallProject();
        project.permanentRow(0, 0, 0).thickness.clear();
        QVERIFY(run_->document().openFile(run_->sandbox.projectFile(QStringLiteral("ohne.tavo"), project).toStdString()));
        run_->view().tabControl()->SetActiveTab(1);
        dialogs_->answer([this](QDialog& dialog) {
            static_cast<QFileDialog&>(dialog).selectFile(pdfPath());
            return true;
        });
        trigger(CommandId::ExportPdf);
        QCOMPARE(MessageSink::takeShownTexts(),
                 QStringList{QStringLiteral("Bitte noch fehlende Schichtdicke(n) bei Element Element 1.1 Geschoß ergänzen!")});
        QVERIFY(!QFile::exists(pdfPath()));
        QCOMPARE(run_->view().GetActivePageId(), PageId::Components);  // where the thickness is entered

        // The preview is not opened on pages without the listing; the components page is shown.
        run_->view().tabControl()->SetActiveTab(2);
        trigger(CommandId::PrintPreview);
        QCOMPARE(MessageSink::takeShownTexts().size(), 1);
        QCOMPARE(dialogs_->shownTitles(), QStringList{QStringLiteral("PDF Export")});
        QCOMPARE(run_->view().GetActivePageId(), PageId::Components);
    }

    void pageSetupShowsAndTakesTheMarginsInWholeMillimetres() {
        run_->view().tabControl()->SetActiveTab(3);
        const int width = results()->bandIndex().documentWidth();
        QMarginsF shown;
        dialogs_->answer([&](QDialog& dialog) {
            QPrinter& printer = printerOf(dialog);
            shown = printer.pageLayout().margins(QPageLayout::Millimeter);
            printer.setPageMargins(QMarginsF(25.7, 15.2, 30, 10), QPageLayout::Millimeter);
            return true;
        });
        trigger(CommandId::PageSetup);
        QCOMPARE(shown, QMarginsF(20, 10, 10, 10));
        QCOMPARE(settings().margins, (PrintSettings::Margins{25, 15, 30, 10}));
        // The printable width lost 25 mm, laid out anew.
        const int dotsPerMm = results()->document().layoutDevice->logicalDpiX() * 10 / 254;
        QVERIFY(qAbs(width - results()->bandIndex().documentWidth() - 25 * dotsPerMm) <= dotsPerMm);
    }

    // Without a file the maker's banner is shown; Okay after a footer change keeps
    // it, typed lines hold at once, and a character the file cannot hold keeps the
    // dialog open with the lines as they were.
    void headerAndFooter() {
        QStringList shown;
        const auto answer = [&](const QString& typed) {
            dialogs_->answer([&shown, typed](QDialog& dialog) {
                auto& edit = static_cast<DlgFussKopf&>(dialog);
                shown.append(edit.headerLinesField()->toPlainText());
                if (!typed.isNull()) edit.headerLinesField()->setPlainText(typed);
                dialog.findChild<QCheckBox*>()->setChecked(false);  // "Dateiname"
                for (QRadioButton* choice : dialog.findChildren<QRadioButton*>())
                    if (choice->text().startsWith(QStringLiteral("&Nur"))) choice->setChecked(true);
                edit.accept();
                return true;
            });
            trigger(CommandId::HeaderFooter);
        };
        const QString banner = QStringLiteral("KOVA Software#Bauwaage#ÖNORM B 1991-1-1\n#Ständige Lasten und Nutzlasten#\n");
        answer(QString());
        QVERIFY(!settings().showFileName);
        QCOMPARE(settings().pageNumbering, 1);
        answer(QStringLiteral("Büro Huber#Statik#Linz"));
        answer(QStringLiteral("Büro Ωmega"));
        QCOMPARE(MessageSink::takeShownTexts().size(), 1);
        // Read back from the file, the empty last part of a line is gone; it prints the same.
        QString reread = banner;
        reread.remove(reread.size() - 2, 1);
        QCOMPARE(shown, (QStringList{banner, reread, QStringLiteral("Büro Huber#Statik#Linz\n")}));
        QCOMPARE(run_->sandbox.bytes(run_->sandbox.path(QStringLiteral("mervik.hdg"))), QByteArray("Büro Huber#Statik#Linz\n"));
    }

    // The results page's keys and size buttons reach its scrolling and zoom (whose
    // rules the core tests pin); the listing is composed anew on each visit.
    void resultsPageScrollsAndZoomsTheListingComposedOnEachVisit() {
        // A listing of many pages: the elements of the maximal project, in fewer components.
        ProjectData project = makeMaximalProject();
        project.componentCount = 2;
        QVERIFY(run_->document().openFile(run_->sandbox.projectFile(QStringLiteral("lang.tavo"), project).toStdString()));
        QTabBar* tabs = run_->view().tabControl()->tabBar();
        const auto clickTab = [tabs](int index) { QTest::mouseClick(tabs, Qt::LeftButton, {}, tabs->tabRect(index).center()); };
        clickTab(3);
        QVERIFY(results()->hasDocument());
        QTest::keyClick(results(), Qt::Key_End);
        const int last = results()->verticalScrollBar()->value();
        QVERIFY(last > 1);
        QCOMPARE(last, results()->verticalScrollBar()->maximum());

        QTest::mouseClick(run_->view().tabControl()->page(3)->findChild<QAbstractButton*>(QStringLiteral("large")), Qt::LeftButton);
        QCOMPARE(results()->zoomFactor(), 0.5);
        QCOMPARE(results()->verticalScrollBar()->value(), last);  // the band at the top stays
        clickTab(0);
        QVERIFY(!results()->hasDocument());
        clickTab(3);
        QVERIFY(results()->hasDocument());
        QCOMPARE(results()->zoomFactor(), 0.5);  // the size stays for the run
    }

    void fontDialogsSetTheRecordsAndTheListingIsLaidOutAnew() {
        run_->view().tabControl()->SetActiveTab(3);
        const int lineHeight = results()->document().composer->documentLine(0).height;
        // As the user picks it: a family, a style of its list, a size.
        QFont chosen(QStringLiteral("Liberation Serif"), 16);
        chosen.setStyleName(QStringLiteral("Bold Italic"));
        dialogs_->answer([&](QDialog& dialog) {
            auto& fonts = static_cast<QFontDialog&>(dialog);
            fonts.setCurrentFont(chosen);
            fonts.accept();
            return true;
        });
        trigger(CommandId::OutputFont);
        const FontRecord& output = settings().font1;
        QCOMPARE(output.faceName, std::string("Liberation Serif"));
        QCOMPARE(output.height, -16);
        QCOMPARE(output.weight, 700);
        QCOMPARE(output.italic, 1);
        QVERIFY(results()->document().composer->documentLine(0).height > lineHeight);

        // Accepted as shown, the title font keeps its face, even one this system lacks.
        const FontRecord title = settings().font2;
        dialogs_->answer([](QDialog& dialog) {
            static_cast<QFontDialog&>(dialog).accept();
            return true;
        });
        trigger(CommandId::TitleFont);
        QCOMPARE(settings().font2.faceName, title.faceName);
        QCOMPARE(settings().font2.height, title.height);
        QCOMPARE(settings().font2.weight, title.weight);
    }
};

QTEST_MAIN(OutputTest)
#include "test_output.moc"
