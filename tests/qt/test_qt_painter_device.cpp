#include "output/PageComposer.h"
#include "output/qt/QtPainterDevice.h"

#include <QFile>
#include <QImage>
#include <QPageLayout>
#include <QPainter>
#include <QPdfWriter>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QtTest>

#include <cstdlib>

namespace tavo {
namespace {

bool hasInk(const QImage& image, const QRect& area) {
    for (int y = area.top(); y <= area.bottom(); ++y) {
        for (int x = area.left(); x <= area.right(); ++x) {
            if (qGray(image.pixel(x, y)) < 128) return true;
        }
    }
    return false;
}

QImage whiteA4At(int dpi) {
    QImage image(210 * dpi * 10 / 254, 297 * dpi * 10 / 254, QImage::Format_RGB32);
    image.setDotsPerMeterX(dpi * 10000 / 254);
    image.setDotsPerMeterY(dpi * 10000 / 254);
    image.fill(Qt::white);
    return image;
}

bool near(int actual, int expected) {
    return std::abs(actual - expected) <= 2;
}

// A document in the default output font with a name column and one more at `column`.
bool beginListing(PageComposer& composer, QtPainterDevice& device, int column) {
    if (!composer.beginDocument(1, device)) return false;
    composer.selectFont(composer.addFont(FontRecord{}));
    composer.setColumns(std::vector<int>{0, column}, std::vector<CellFlags>{CF_LEFT, CF_RIGHT});
    return true;
}

// The pages a listing needs after its final page break.
int finishListing(PageComposer& composer) {
    composer.pageBreak();
    composer.finishDocument();
    return composer.paginate();
}

}  // namespace

class QtPainterDeviceTest : public QObject {
    Q_OBJECT

private slots:
    void inkAppearsWhereTheComposerPlacesTextAndRules() {
        QImage image = whiteA4At(100);
        QPainter painter(&image);
        QtPainterDevice device(image, &painter);
        PageComposer composer;
        QVERIFY(beginListing(composer, device, 400));
        composer.print("D\xe4mmung\tSchicht\n");
        composer.rule(CF_RULE_MIDDLE);
        QCOMPARE(finishListing(composer), 2);
        composer.renderPage(1, device);
        painter.end();

        const Rect area = composer.printableRect();
        const int lineHeight = composer.documentLine(0).height;
        const int textWidth = composer.textWidth(1, "D\xe4mmung");
        QVERIFY(lineHeight >= 15 && lineHeight <= 20);  // 11 points at 100 dpi with leading
        QVERIFY(textWidth > 30 && textWidth < 80);
        QVERIFY(hasInk(image, QRect(area.left, area.top, textWidth, lineHeight)));
        // The last column is right-aligned: its text ends at the right margin.
        const int lastWidth = composer.textWidth(1, "Schicht");
        QVERIFY(hasInk(image, QRect(area.right - lastWidth, area.top, lastWidth, lineHeight)));
        const int gapLeft = area.left + textWidth + 5;
        QVERIFY(!hasInk(image, QRect(gapLeft, area.top, area.right - lastWidth - 5 - gapLeft, lineHeight)));
        QVERIFY(!hasInk(image, QRect(0, 0, image.width(), area.top)));

        const int rule = area.top + lineHeight + composer.documentLine(1).height / 2;
        for (const int x : {area.left, (area.left + area.right) / 2, area.right - 1}) {
            QVERIFY(hasInk(image, QRect(x, rule, 1, 1)));
        }
        QVERIFY(!hasInk(image, QRect(area.right + 1, rule, image.width() - area.right - 1, 1)));
        QVERIFY(!hasInk(image, QRect(0, rule + 2, image.width(), image.height() - rule - 2)));
    }

    void cellHeightFontsFillTheirCell() {
        const QImage image = whiteA4At(254);
        const QtPainterDevice device(image, nullptr);
        FontRequest font{FontRecord{}, 100};
        const auto metrics = device.fontMetrics(font);
        QVERIFY(metrics);
        font.pixelHeight = -100;
        const auto character = device.fontMetrics(font);
        QVERIFY(character);
        QVERIFY(metrics->lineHeight < character->lineHeight);
        QVERIFY(metrics->lineHeight >= 99 && metrics->lineHeight <= 110);  // cell plus leading
    }

    void pdfWriterMarginsAreTheUnprintableBorder() {
        QTemporaryDir dir;
        QPdfWriter writer(dir.filePath("border.pdf"));
        writer.setResolution(254);
        writer.setPageSize(QPageSize(QPageSize::A4));
        writer.setPageMargins(QMarginsF(5, 5, 5, 5), QPageLayout::Millimeter);
        QtPainterDevice device(writer, nullptr);

        // Qt keeps the page in points, so pixels may be a little off.
        const DeviceGeometry geometry = device.geometry();
        QVERIFY(near(geometry.paperWidth, 2100));
        QVERIFY(near(geometry.paperHeight, 2970));
        QVERIFY(near(geometry.printableOffsetX, 50));
        QVERIFY(near(geometry.printableOffsetY, 50));
        QVERIFY(near(geometry.printableWidth, 2000));
        QCOMPARE(geometry.printableHeightMm, 287);

        PageComposer composer;
        QVERIFY(composer.beginDocument(1, device));
        composer.setMargins(20, 10, 10, 10);
        QVERIFY(near(composer.printableRect().left, 150));
        QVERIFY(near(composer.printableRect().top, 50));
        QVERIFY(near(geometry.printableOffsetX + composer.printableRect().right, 2000));
    }

    void aPdfGetsOnePagePerRenderedPage() {
        QTemporaryDir dir;
        const QString path = dir.filePath("listing.pdf");
        {
            QPdfWriter writer(path);
            writer.setPageSize(QPageSize(QPageSize::A4));
            writer.setResolution(300);
            QPainter painter(&writer);
            QtPainterDevice device(writer, &painter);
            PageComposer composer;
            QVERIFY(beginListing(composer, device, 600));
            for (int i = 0; i < 150; ++i) composer.print("Zeile %d\t%d.00\n", i, i);
            const int pages = finishListing(composer);
            QVERIFY(pages >= 3);
            for (int page = 1; page < pages; ++page) {
                if (page > 1) QVERIFY(writer.newPage());
                composer.renderPage(page, device);
            }
            painter.end();

            QFile file(path);
            QVERIFY(file.open(QIODevice::ReadOnly));
            const QString pdf = QString::fromLatin1(file.readAll());
            QCOMPARE(static_cast<int>(pdf.count(QRegularExpression("/Type\\s*/Page[^s]"))), pages - 1);
        }
    }
};

}  // namespace tavo

QTEST_MAIN(tavo::QtPainterDeviceTest)
#include "test_qt_painter_device.moc"
