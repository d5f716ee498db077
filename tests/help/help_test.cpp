#include "platform/help/hilfedatei.h"
#include "platform/laufzeitfehler.h"
#include "testdata.h"

#include <QFile>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>

using namespace findolin;

namespace {

const char* const mitKarte = "chm/ShkollaManagerVB_Help.chm";
const char* const ohneKarte = "chm/connect-four_Help.chm";

// Counts the entries of a tree; those without a title or with a page the file lacks go to `fehlerhaft`.
int zaehle(const HilfeDatei& hilfe, const QList<HilfeEintrag>& eintraege, QStringList& fehlerhaft) {
    int n = 0;
    for (const auto& e : eintraege) {
        if (e.titel.isEmpty() || (!e.seite.isEmpty() && !hilfe.enthaelt(e.seite)))
            fehlerhaft.append(e.titel + QLatin1Char(' ') + e.seite);
        n += 1 + zaehle(hilfe, e.kinder, fehlerhaft);
    }
    return n;
}

// Opening and reading everything either works or ends in a Laufzeitfehler that names the file.
void oeffnenUndLesen(const QString& datei) {
    try {
        const HilfeDatei hilfe(datei);
        for (const auto& d : hilfe.dateien())
            hilfe.lese(d);
    } catch (const Laufzeitfehler& f) {
        QCOMPARE(f.betroffen(), datei);
    }
}

} // namespace

class HelpTest : public QObject {
    Q_OBJECT
private slots:
    void echteDateien_data() {
        QTest::addColumn<QString>("datei");
        QTest::addColumn<QString>("titel");
        QTest::addColumn<QString>("standard");
        QTest::addColumn<int>("kontexte");
        QTest::addColumn<int>("oben"); // contents: entries at the top, entries in all
        QTest::addColumn<int>("alle");
        QTest::newRow("mapped") << mitKarte << "NDIHMA" << QStringLiteral("/Amza.htm") << 26 << 2 << 26;
        QTest::newRow("unmapped, topic from contents")
            << ohneKarte << "" << QStringLiteral("/Overview.htm") << 0 << 1 << 1;
    }
    // Every stored file is read byte for byte as extract_chmLib writes it; titles, default topics, context
    // ids and the contents point to pages that exist.
    void echteDateien() {
        QFETCH(QString, datei);
        REQUIRE_TESTDATA(datei);
        QFETCH(QString, titel);
        QFETCH(QString, standard);
        QFETCH(int, kontexte);
        QFETCH(int, oben);
        QFETCH(int, alle);
        const HilfeDatei hilfe(testdataFile(datei));
        QCOMPARE(hilfe.titel(), titel);
        QCOMPARE(hilfe.standardThema(), standard);
        QCOMPARE(hilfe.kontexte().size(), kontexte);
        for (int id = 1; id <= kontexte; ++id)
            QVERIFY2(hilfe.enthaelt(hilfe.seiteFuerKontext(id)), qPrintable(QString::number(id)));
        if (kontexte > 0) {
            QCOMPARE(hilfe.seiteFuerKontext(5), QStringLiteral("/Gjeneralitete.htm"));
            QVERIFY(hilfe.seiteFuerKontext(kontexte + 1).isEmpty());
        }
        QStringList fehlerhaft;
        QCOMPARE(hilfe.inhalt().size(), oben);
        QCOMPARE(zaehle(hilfe, hilfe.inhalt(), fehlerhaft), alle);
        zaehle(hilfe, hilfe.stichwoerter(), fehlerhaft);
        QCOMPARE(fehlerhaft, QStringList());

        const QString extract = QStandardPaths::findExecutable(QStringLiteral("extract_chmLib"));
        if (extract.isEmpty())
            QSKIP("extract_chmLib (libchm-bin) not installed");
        QTemporaryDir ziel;
        QProcess p;
        p.start(extract, {testdataFile(datei), ziel.path()});
        QVERIFY(p.waitForFinished(-1));
        int verglichen = 0;
        for (const auto& d : hilfe.dateien()) {
            QFile f(ziel.path() + d);
            if (d.startsWith(QLatin1String("::")) || !f.open(QIODevice::ReadOnly))
                continue;
            QVERIFY2(hilfe.lese(d) == f.readAll(), qPrintable(d));
            ++verglichen;
        }
        QVERIFY(verglichen > 5);
    }

    void beschaedigt_data() {
        QTest::addColumn<QString>("datei");
        QTest::addColumn<qint64>("laenge");
        for (const char* d : {mitKarte, ohneKarte})
            for (qint64 laenge : {0ll, 10ll, 0x60ll, 0x100ll, 2000ll, 6000ll, -1000ll})
                QTest::addRow("%s cut at %lld", d, laenge) << QString::fromLatin1(d) << laenge;
    }
    // Cut copies are refused by name.
    void beschaedigt() {
        QFETCH(QString, datei);
        QFETCH(qint64, laenge);
        REQUIRE_TESTDATA(datei);
        QFile quelle(testdataFile(datei));
        QVERIFY(quelle.open(QIODevice::ReadOnly));
        const QByteArray ganz = quelle.readAll();
        QTemporaryDir dir;
        const QString kopie = dir.filePath(QStringLiteral("kaputt.chm"));
        QFile f(kopie);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write(ganz.left(laenge >= 0 ? laenge : ganz.size() + laenge));
        f.close();
        QVERIFY_THROWS_EXCEPTION(Laufzeitfehler, HilfeDatei{kopie});
    }

    // Bytes flipped all over a real file give an error or a file that still reads: no crash, no hang.
    void verdorben() {
        REQUIRE_TESTDATA(ohneKarte);
        QFile quelle(testdataFile(ohneKarte));
        QVERIFY(quelle.open(QIODevice::ReadOnly));
        const QByteArray ganz = quelle.readAll();
        QTemporaryDir dir;
        const QString kopie = dir.filePath(QStringLiteral("verdorben.chm"));
        for (qsizetype at = 0; at < ganz.size(); at += 3) {
            QByteArray verdorben = ganz;
            verdorben[at] = char(verdorben[at] ^ (at % 2 ? 0xff : 0x41));
            QFile f(kopie);
            QVERIFY(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
            f.write(verdorben);
            f.close();
            oeffnenUndLesen(kopie);
        }
    }

    void verweise_data() {
        QTest::addColumn<QString>("verweis");
        QTest::addColumn<QString>("pfad");
        QTest::newRow("plain") << "Gjeneralitete.htm"
                               << "/Gjeneralitete.htm";
        QTest::newRow("escaped, dots in the name, anchor") << "Perdorimi%20Fillesatar..htm#a"
                                                           << "/Perdorimi Fillesatar..htm";
        QTest::newRow("help file prefix") << "ms-its:x.chm::/Amza.htm"
                                          << "/Amza.htm";
        QTest::newRow("up") << "../Amza.htm"
                            << "";
        QTest::newRow("up inside") << "a/../../Amza.htm"
                                   << "";
        QTest::newRow("escaped up") << "%2e%2e/Amza.htm"
                                    << "";
        QTest::newRow("url") << "http://example.org/Amza.htm"
                             << "";
        QTest::newRow("drive") << "C:\\Amza.htm"
                               << "";
    }
    void verweise() {
        QFETCH(QString, verweis);
        QFETCH(QString, pfad);
        QCOMPARE(HilfeDatei::seitenPfad(verweis), pfad);
        REQUIRE_TESTDATA(mitKarte);
        const HilfeDatei hilfe(testdataFile(mitKarte));
        if (pfad.isEmpty())
            QVERIFY_THROWS_EXCEPTION(Laufzeitfehler, hilfe.lese(verweis));
        else
            QVERIFY(!hilfe.lese(verweis).isEmpty());
    }
};

QTEST_GUILESS_MAIN(HelpTest)
#include "help_test.moc"
