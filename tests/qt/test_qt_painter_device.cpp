#include <QFile>
#include <QTcpServer>
#include <QTemporaryDir>
#include <QtTest>

#include <cmath>
#include <cstdint>
#include <string>

#include "model/Windows1252.h"
#include "output/qt/CodePageGlyphs.h"
#include "output/qt/PrintSystem.h"

namespace tavo {

class QtOutputTest : public QObject {
    Q_OBJECT

private slots:
    // The table gives what the font engine gives for the same glyphs: the kerning of
    // each pair on its left glyph, none after the last; placed on whole pixels after
    // the glyphs already gathered.
    void codePageGlyphsLayOutAsTheFontEngineDoes() {
        QFont font;
        font.setPixelSize(82);
        const QRawFont raw = QRawFont::fromFont(font);
        const CodePageGlyphs glyphs(raw);
        std::string everyCharacter;
        for (int c = 0x20; c <= 0xff; ++c) {
            if (glyphs.covers(std::string(1, static_cast<char>(c)))) everyCharacter += static_cast<char>(c);
        }
        QVERIFY(everyCharacter.size() > 180);
        for (const std::string& text : {std::string("AVATAR To Wa Ty"), std::string("D\xe4mmung \x80-Ausgabe \xb3"),
                                        std::string("1.50"), everyCharacter}) {
            QVERIFY(glyphs.covers(text));
            const QString string = QString::fromStdString(windows1252ToUtf8(text));
            const QList<QPointF> advances =
                raw.advancesForGlyphIndexes(raw.glyphIndexesForString(string), QRawFont::KernedAdvances);
            QList<quint32> indexes{7};
            QList<QPointF> positions{QPointF(1, 0)};
            glyphs.appendGlyphs(text, 100, indexes, positions);
            QCOMPARE(indexes, QList<quint32>{7} + raw.glyphIndexesForString(string));
            qreal x = 0;
            for (qsizetype i = 0; i < advances.size(); ++i) {
                QCOMPARE(positions[i + 1], QPointF(100 + std::round(x), 0));
                x += advances[i].x();
            }
            QCOMPARE(glyphs.width(text), x);
        }
        QVERIFY(!glyphs.covers("Ende\x01"));
        QVERIFY(!CodePageGlyphs(QRawFont()).covers("A"));
    }

    // Without a server to ask and without a printer named, there is no default printer.
    void printSystemIsAskedOnlyWhereItCanNameADefaultPrinter() {
        const QTemporaryDir folder;
        QTcpServer scheduler;
        QVERIFY(scheduler.listen(QHostAddress::LocalHost));
        const auto port = static_cast<std::uint16_t>(scheduler.serverPort());
        scheduler.close();  // a port nobody listens on
        const std::string missing = folder.filePath(QStringLiteral("fehlt")).toStdString();
        const CupsClientSetup nothing{false, {missing}, {missing}, port};
        QVERIFY(!mayHaveDefaultPrinter(nothing));

        CupsClientSetup named = nothing;
        named.serverOrPrinterNamed = true;
        QVERIFY(mayHaveDefaultPrinter(named));
        QFile lpoptions(folder.filePath(QStringLiteral("lpoptions")));
        QVERIFY(lpoptions.open(QIODevice::WriteOnly));
        lpoptions.close();
        QVERIFY(mayHaveDefaultPrinter({false, {missing, lpoptions.fileName().toStdString()}, {missing}, port}));
        QVERIFY(mayHaveDefaultPrinter({false, {missing}, {folder.path().toStdString()}, port}));
        QVERIFY(scheduler.listen(QHostAddress::LocalHost, port));
        QVERIFY(mayHaveDefaultPrinter(nothing));
    }
};

}  // namespace tavo

QTEST_MAIN(tavo::QtOutputTest)
#include "test_qt_painter_device.moc"
