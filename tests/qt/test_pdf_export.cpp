#include "output/qt/PdfExport.h"

#include <QFile>
#include <QPageSize>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QtTest>

#include <memory>

#include "output/HeaderLines.h"
#include "output/PrintSettings.h"

namespace tavo {
namespace {

// Each page's size in points, as the document's page dictionaries give it.
QStringList mediaBoxes(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) return {};
    const QString content = QString::fromLatin1(file.readAll());
    QStringList boxes;
    static const QRegularExpression mediaBox(QStringLiteral(R"(/MediaBox \[0 0 (\d+)\.\d+ (\d+)\.\d+\])"));
    for (auto match = mediaBox.globalMatch(content); match.hasNext();) {
        const auto box = match.next();
        boxes << box.captured(1) + QLatin1Char('x') + box.captured(2);
    }
    return boxes;
}

}  // namespace

class PdfExportTest : public QObject {
    Q_OBJECT

private slots:
    void landscapePaperGivesWidePages() {
        const QTemporaryDir folder;
        const QString path = folder.filePath(QStringLiteral("quer.pdf"));
        const auto project = std::make_unique<ProjectData>();
        const PrintSettings settings;
        const HeaderLines banner = HeaderLines::makersBanner();
        const ListingFrame frame{settings, banner, "Haus.tavo"};
        const QPageLayout landscape(QPageSize(QPageSize::A4), QPageLayout::Landscape, QMarginsF());

        const PdfExport result = exportPdf(*project, frame, "Haus", path.toStdString(), landscape);

        QVERIFY(result.written);
        QVERIFY(result.messages.empty());
        QCOMPARE(mediaBoxes(path), QStringList{QStringLiteral("842x595")});
    }
};

}  // namespace tavo

QTEST_MAIN(tavo::PdfExportTest)
#include "test_pdf_export.moc"
