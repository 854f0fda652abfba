// The Windows design faces resolve to installed faces that can show Chinese.

#include <QFont>
#include <QFontDatabase>
#include <QFontInfo>
#include <QGlyphRun>
#include <QRawFont>
#include <QTextLayout>
#include <QtTest>

#include "foundation/widgets/fonts.h"

namespace {

constexpr char32_t kShi = U'时';

bool CoversChinese(const QString& family) {
    return QFontDatabase::writingSystems(family).contains(QFontDatabase::SimplifiedChinese);
}

// Every glyph of `text` drawn in `font` (with its fallbacks) is a real glyph, not "missing".
bool DrawsEveryCharacter(const QFont& font, const QString& text) {
    QTextLayout layout(text, font);
    layout.beginLayout();
    layout.createLine();
    layout.endLayout();
    int glyphs = 0;
    for (const QGlyphRun& run : layout.glyphRuns()) {
        for (quint32 index : run.glyphIndexes()) {
            if (index == 0)
                return false;
            ++glyphs;
        }
    }
    return glyphs == text.size();
}

}  // namespace

class TestFonts : public QObject {
    Q_OBJECT

  private slots:
    void initTestCase() {
        // The offscreen platform reads the installed fonts through fontconfig as well.
        QVERIFY2(QFontDatabase::families().size() > 1, "no fonts seen by this platform");
        QVERIFY2(!InstalledCjkFace().isEmpty(), "no Chinese font installed (fonts-wqy-zenhei)");
        InstallFontSubstitutions();
    }

    void cjkFaceCoversChinese() { QVERIFY(CoversChinese(InstalledCjkFace())); }

    void chineseDesignFaces_data() {
        QTest::addColumn<QString>("face");
        for (const char* face : {"宋体", "SimSun", "黑体", "楷体", "微软雅黑", "新宋体"})
            QTest::newRow(face) << QString::fromUtf8(face);
    }
    void chineseDesignFaces() {
        QFETCH(QString, face);
        const QFont font(face, 24);
        const QString resolved = QFontInfo(font).family();
        QVERIFY2(CoversChinese(resolved), qPrintable(face + " -> " + resolved));
        // The primary face itself has the glyph, not only some fallback behind it.
        QVERIFY(QRawFont::fromFont(font).supportsCharacter(kShi));
        QVERIFY(FontFaceAvailable(face));
    }

    void westernDesignFaces_data() {
        QTest::addColumn<QString>("face");
        QTest::addColumn<QStringList>("kind");  // installed faces that may stand in
        QTest::newRow("Times New Roman")
            << "Times New Roman"
            << QStringList{"Liberation Serif", "DejaVu Serif", "Nimbus Roman",
                           "Noto Serif",       "FreeSerif",    "Times New Roman"};
        QTest::newRow("Arial") << "Arial"
                               << QStringList{"Liberation Sans", "DejaVu Sans", "Nimbus Sans",
                                              "Noto Sans",       "FreeSans",    "Arial"};
    }
    void westernDesignFaces() {
        QFETCH(QString, face);
        QFETCH(QStringList, kind);
        const QFont font(face, 24);
        const QString resolved = QFontInfo(font).family();
        QVERIFY2(kind.contains(resolved, Qt::CaseInsensitive),
                 qPrintable(face + " -> " + resolved));
        if (!QFontDatabase::hasFamily(face))
            QVERIFY(QFont::substitutes(face).last().compare(InstalledCjkFace(),
                                                            Qt::CaseInsensitive) == 0);
        QVERIFY(DrawsEveryCharacter(font, QStringLiteral("12:05 时间到")));
    }

    void installingAgainChangesNothing() {
        const QStringList before = QFont::substitutes(QStringLiteral("宋体"));
        InstallFontSubstitutions();
        QCOMPARE(QFont::substitutes(QStringLiteral("宋体")), before);
        QCOMPARE(before.size(), 1);
    }

    void fontFaceAvailable_data() {
        QTest::addColumn<QString>("face");
        QTest::addColumn<bool>("available");
        QTest::newRow("installed") << "Liberation Sans" << true;
        QTest::newRow("substituted") << "宋体" << true;
        QTest::newRow("unknown") << "No Such Face 123" << false;
        QTest::newRow("empty") << "" << false;
        QTest::newRow("blank") << "  " << false;
    }
    void fontFaceAvailable() {
        QFETCH(QString, face);
        QFETCH(bool, available);
        QCOMPARE(FontFaceAvailable(face), available);
    }
};

QTEST_MAIN(TestFonts)
#include "test_fonts.moc"
