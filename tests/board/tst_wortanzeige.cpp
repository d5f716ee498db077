// The searched and the found word beside the board, laid out with real font metrics.
#include "brettfixture.h"

#include "platform/qt/qtservices.h"

#include <QTest>
#include <cmath>

using namespace findolin;
using namespace findolin::test;

class TstWortanzeige : public QObject {
    Q_OBJECT

private slots:
    void passtSchriftAn_data();
    void passtSchriftAn();
    void leeresKontextFeld();
    void unpassbaresWortHaeltBeiEinemPunkt();
    void leseLupe_data();
    void leseLupe();

private:
    // A board whose word display measures with the real fonts.
    struct EchtesBrett {
        explicit EchtesBrett(qint16 lupenFlag = -1) : b(1) {
            b.kontext.lupenFlag = lupenFlag;
            anzeige = std::make_unique<Wortanzeige>(b.feld(), b.wort, b.kontext, messung);
        }
        void zeige(const QString& kontext, const QString& wort, qint16 von = 0, qint16 bis = 0) {
            b.wort = WortDatensatz{wort, static_cast<qint16>(wort.size()), kontext, von, bis};
            anzeige->zeigeNeuesWort();
        }
        double breite(const QString& text, double punkte) const {
            return messung.breiteTwips(text, platform::Schrift{QStringLiteral("Arial"), punkte, true});
        }
        platform::QtTextMeasure messung;
        Brett b;
        std::unique_ptr<Wortanzeige> anzeige;
    };
};

void TstWortanzeige::passtSchriftAn_data() {
    QTest::addColumn<QString>("kontext");
    QTest::addColumn<QString>("wort");
    QTest::addColumn<bool>("verkleinert");
    QTest::newRow("short word fits") << "der"
                                     << "Hut" << false;
    QTest::newRow("long word shrinks") << "die"
                                       << "Donaudampfschifffahrt" << true;
    QTest::newRow("long context shrinks too") << "die vielen"
                                              << "Schiffsschrauben" << true;
}

void TstWortanzeige::passtSchriftAn() {
    QFETCH(QString, kontext);
    QFETCH(QString, wort);
    QFETCH(bool, verkleinert);
    EchtesBrett e;
    e.zeige(kontext, wort);
    const Wortanzeige& a = *e.anzeige;

    const double wortPunkte = a.suchWortLbl.punkte;
    QCOMPARE(wortPunkte < 20.0, verkleinert);
    QCOMPARE(a.suchKontLbl.punkte, wortPunkte - 12.0);
    QCOMPARE(a.fundWortLbl.punkte, wortPunkte);
    QCOMPARE(a.fundKontLbl.punkte, a.suchKontLbl.punkte);

    const int w1 = static_cast<int>(std::lround(e.breite(kontext, a.suchKontLbl.punkte)));
    QCOMPARE(a.suchKontLbl.width, w1);
    QCOMPARE(a.suchWortLbl.left, 90 + w1 + 50);
    QCOMPARE(a.suchWortLbl.width, 3255 - a.suchWortLbl.left - 50);
    // The word fits at the chosen size, and would not one point larger.
    QVERIFY(a.suchWortLbl.left + std::lround(e.breite(wort, wortPunkte)) + 60 <= 3255);
    if (verkleinert) {
        const int w1Groesser = static_cast<int>(std::lround(e.breite(kontext, a.suchKontLbl.punkte + 1)));
        QVERIFY(90 + w1Groesser + 50 + std::lround(e.breite(wort, wortPunkte + 1)) + 60 > 3255);
    }
    // The found word lines up under the searched one and starts empty.
    QCOMPARE(a.fundWortLbl.left, a.suchWortLbl.left);
    QCOMPARE(a.fundWortLbl.width, a.suchWortLbl.width);
    QCOMPARE(a.fundKontLbl.width, w1);
    QCOMPARE(a.fundKontLbl.caption, kontext);
    QCOMPARE(a.suchWortLbl.caption, wort);
    QCOMPARE(a.fundWortLbl.caption, QString());

    // The next, short word starts again from 8 and 20 points.
    e.zeige(QStringLiteral("der"), QStringLiteral("Hut"));
    QCOMPARE(a.suchKontLbl.punkte, 8.0);
    QCOMPARE(a.suchWortLbl.punkte, 20.0);
}

void TstWortanzeige::leeresKontextFeld() {
    EchtesBrett e;
    e.zeige(QString(), QStringLiteral("Hut"));
    QCOMPARE(e.anzeige->suchKontLbl.width, 0);
    QCOMPARE(e.anzeige->suchWortLbl.left, 140);
    QCOMPARE(e.anzeige->fundWortLbl.left, 140);
}

void TstWortanzeige::unpassbaresWortHaeltBeiEinemPunkt() {
    EchtesBrett e;
    e.zeige(QStringLiteral("die"), QString(400, QLatin1Char('W')).left(24));
    QVERIFY(e.anzeige->suchWortLbl.punkte >= 1.0);
    QVERIFY(e.anzeige->suchKontLbl.punkte >= 1.0);
    // A word far too wide for any size: the shrinking stops at one point instead of reaching 0.
    Brett b(1);
    const QString riesig(24, QChar(0x2588));
    struct BreiteMessung : platform::TextMeasure {
        double breiteTwips(const QString& t, const platform::Schrift&) const override {
            return 1000.0 * t.size();
        }
        double zeilenhoeheTwips(const platform::Schrift&) const override { return 100; }
    } breit;
    Wortanzeige a(b.feld(), b.wort, b.kontext, breit);
    b.wort = WortDatensatz{riesig, 24, QStringLiteral("der"), 0, 0};
    a.zeigeNeuesWort();
    QCOMPARE(a.suchWortLbl.punkte, 1.0);
    QCOMPARE(a.suchKontLbl.punkte, 1.0);
    QCOMPARE(a.fundWortLbl.punkte, 1.0);
}

void TstWortanzeige::leseLupe_data() {
    QTest::addColumn<int>("von");
    QTest::addColumn<int>("bis");
    QTest::addColumn<int>("lupenFlag");
    QTest::addColumn<bool>("sichtbar");
    QTest::newRow("spot at the first character") << 1 << 2 << -1 << true;
    QTest::newRow("one character") << 4 << 4 << -1 << true;
    QTest::newRow("spot in the middle") << 3 << 5 << 1 << true;
    QTest::newRow("no spot") << 0 << 0 << -1 << false;
    QTest::newRow("flag off") << 3 << 5 << 0 << false;
}

void TstWortanzeige::leseLupe() {
    QFETCH(int, von);
    QFETCH(int, bis);
    QFETCH(int, lupenFlag);
    QFETCH(bool, sichtbar);
    EchtesBrett e(static_cast<qint16>(lupenFlag));
    const QString wort = QStringLiteral("Schwimmbad");
    e.zeige(QStringLiteral("das"), wort, static_cast<qint16>(von), static_cast<qint16>(bis));
    const Wortanzeige& a = *e.anzeige;
    QCOMPARE(a.leseLupe.sichtbar, sichtbar);
    if (von == 0)
        return;
    const double p = a.suchWortLbl.punkte;
    const long vorne = von == 1 ? 0 : std::lround(e.breite(wort.left(von - 1), p));
    QCOMPARE(a.leseLupe.left, static_cast<int>(a.suchWortLbl.left + vorne - 30));
    QCOMPARE(a.leseLupe.width,
             static_cast<int>(std::lround(e.breite(wort.mid(von - 1, bis - von + 1), p)) + 60));
    QVERIFY(a.leseLupe.width > 60);
}

QTEST_MAIN(TstWortanzeige)
#include "tst_wortanzeige.moc"
