#include <QtTest>

#include "foundation/gbk.h"
#include "support/data_rows.h"

// The same bytes read and write the same on every system, whatever converter is underneath.
class GbkTest : public QObject {
    Q_OBJECT

  private slots:
    void available() { QVERIFY(GbkAvailable()); }

    void reads_data() {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QString>("expected");
        const QChar bad = QChar::ReplacementCharacter;
        AddRow("double-byte", QByteArray("\xd6\xd0\xce\xc4"), QString::fromUtf8("中文"));
        AddRow("lowest lead and trail", QByteArray("\x81\x40"), QString(QChar(0x4E02)));
        AddRow("euro sign alone", QByteArray("\x80"), QString::fromUtf8("€"));
        AddRow("0xFF alone is private", QByteArray("a\xff"), QString("a") + QChar(0xF8F5));
        AddRow("lead byte at the end", QByteArray("ab\xd6"), QString("ab") + bad);
        AddRow("byte that cannot trail starts anew", QByteArray("\x81\x30ok"),
               bad + QString("0ok"));
        AddRow("delete cannot trail",
               QByteArray("a\xa1\x7f"
                          "b"),
               QString("a") + bad + QChar(0x7F) + "b");
        AddRow("invalid among valid", QByteArray("\xd6\xd0\x81\x30\xd6\xd0"),
               QString::fromUtf8("中") + bad + "0" + QString::fromUtf8("中"));
        AddRow("empty", QByteArray(), QString());
    }
    void reads() {
        QFETCH(QByteArray, bytes);
        QFETCH(QString, expected);
        QCOMPARE(FromGbk(bytes), expected);
    }

    void writes_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QByteArray>("expected");
        AddRow("double-byte", QString::fromUtf8("中文"), QByteArray("\xd6\xd0\xce\xc4"));
        AddRow("euro sign", QString::fromUtf8("€"), QByteArray("\x80"));
        AddRow("beyond the basic plane is one '?'", QString::fromUtf8("a\U0001F600b"),
               QByteArray("a?b"));
        AddRow("lone surrogate is one '?'", QString(QChar(0xD800)) + "x", QByteArray("?x"));
        AddRow("no look-alike letters", QString::fromUtf8("ÀÑß"), QByteArray("???"));
        AddRow("pinyin letter GBK holds", QString::fromUtf8("é"), QByteArray("\xa8\xa6"));
        AddRow("empty", QString(), QByteArray());
    }
    void writes() {
        QFETCH(QString, text);
        QFETCH(QByteArray, expected);
        QCOMPARE(ToGbk(text), expected);
    }
};

QTEST_GUILESS_MAIN(GbkTest)
#include "test_gbk.moc"
