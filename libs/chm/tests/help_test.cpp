#include "chmverzeichnis.h"
#include "platform/laufzeitfehler.h"
#include "testdata.h"

#include <chm/chmschreiber.h>
#include <chm/hilfedatei.h>

#include <QFile>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QtEndian>

using namespace findolin;
using namespace findolin::chm;

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

QByteArray lies(const QString& pfad) {
    QFile f(pfad);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

// Writes `inhalt` as the whole file `pfad`; gives back `pfad`.
QString schreibe(const QString& pfad, const QByteArray& inhalt) {
    QFile f(pfad);
    if (!f.open(QIODevice::WriteOnly | QIODevice::Truncate) || f.write(inhalt) != inhalt.size())
        qFatal("cannot write %s", qPrintable(pfad));
    return pfad;
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
        const QByteArray ganz = lies(testdataFile(datei));
        QTemporaryDir dir;
        const QString kopie = schreibe(dir.filePath(QStringLiteral("kaputt.chm")),
                                       ganz.left(laenge >= 0 ? laenge : ganz.size() + laenge));
        QVERIFY_THROWS_EXCEPTION(Laufzeitfehler, HilfeDatei{kopie});
    }

    // A file whose directory or compression does not hold together is refused when it is opened, before
    // libchm, which trusts these structures, reads a page of it.
    void strukturBeschaedigt_data() {
        QTest::addColumn<QString>("aenderung");
        QTest::addColumn<QString>("grund");
        QTest::newRow("the listing blocks lead round in a circle") << "kreis"
                                                                   << "im Kreis";
        QTest::newRow("an index root below -1") << "wurzel"
                                                << "außerhalb des Verzeichnisses";
        QTest::newRow("a file in section 2") << "bereich"
                                             << "unbekannter Bereich";
        QTest::newRow("an LZX window of 96 KB") << "fenster"
                                                << "unbekannte Kompression";
        QTest::newRow("files past the end of the compressed content")
            << "ausgepackt"
            << "liegt hinter dem komprimierten Inhalt";
        QTest::newRow("a stored page cut at the end of the file") << "abgeschnitten"
                                                                  << "liegt hinter dem Dateiende";
    }
    void strukturBeschaedigt() {
        QFETCH(QString, aenderung);
        QByteArray chm;
        if (aenderung == QLatin1String("abgeschnitten")) { // our own files store every page uncompressed
            chm::HilfeBuch buch;
            buch.startSeite = QStringLiteral("a.htm");
            buch.seiten.insert(QStringLiteral("a.htm"), QByteArray(3000, 'a'));
            chm = chm::schreibeChm(buch).chopped(10);
        } else {
            REQUIRE_TESTDATA(mitKarte);
            chm = lies(testdataFile(mitKarte));
        }
        // The directory (its blocks of 4 KB follow a header), and section 0 behind it in the file.
        char* d = chm.data();
        const qsizetype verzeichnis = qsizetype(qFromLittleEndian<quint64>(d + 0x48));
        const qsizetype bloecke = verzeichnis + qFromLittleEndian<quint32>(d + verzeichnis + 8);
        const auto inhalt = [&](const char* pfad) {
            return d + qFromLittleEndian<quint64>(d + 0x58) +
                   ChmVerzeichnis(testdataFile(mitKarte)).finde(pfad)->start;
        };
        if (aenderung == QLatin1String("kreis")) { // the last listing block names itself as the next one
            const qsizetype block =
                chm.lastIndexOf("PMGL", qsizetype(qFromLittleEndian<quint64>(d + 0x50)) + verzeichnis);
            qToLittleEndian(quint32((block - bloecke) / 4096), d + block + 0x10);
        } else if (aenderung == QLatin1String("wurzel")) {
            qToLittleEndian(qint32(-2), d + verzeichnis + 0x1c);
        } else if (aenderung == QLatin1String("bereich")) { // the byte after the name
            d[chm.indexOf("/Amza.htm", bloecke) + 9] = 2;
        } else if (aenderung == QLatin1String("fenster")) { // window and reset interval, in units of 32 KB
            char* steuerung = inhalt("::DataSpace/Storage/MSCompressed/ControlData");
            qToLittleEndian(quint32(3), steuerung + 0xc);
            qToLittleEndian(quint32(3), steuerung + 0x10);
        } else if (aenderung == QLatin1String("ausgepackt")) { // the content as one byte long
            qToLittleEndian(quint64(1),
                            inhalt("::DataSpace/Storage/MSCompressed/Transform/"
                                   "{7FC28940-9D31-11D0-9B27-00A0C91E9C7C}/InstanceData/ResetTable") +
                                0x10);
        }
        QTemporaryDir dir;
        const QString kopie = schreibe(dir.filePath(QStringLiteral("kaputt.chm")), chm);
        QString fehler;
        try {
            HilfeDatei hilfe(kopie);
        } catch (const Laufzeitfehler& e) {
            QCOMPARE(e.betroffen(), kopie);
            fehler = e.problem();
        }
        QFETCH(QString, grund);
        QVERIFY2(fehler.contains(grund), qPrintable(fehler));
    }

    // Without a context map of its own, a help file's ids come from its C header and alias file, written in
    // decimal or in hex as the help compiler takes them.
    void kontexteAusKopfdatei() {
        chm::HilfeBuch buch;
        buch.titel = QStringLiteral("Karte");
        buch.startSeite = QStringLiteral("a.htm");
        buch.seiten = {{"a.htm", "<h1>A</h1>"},
                       {"b.htm", "<h1>B</h1>"},
                       {"karte.h", "#define IDH_A 17\r\n  #define IDH_B 0x1F\r\n"},
                       {"karte.ali", "IDH_A=a.htm\r\nIDH_B = b.htm\r\n"}};
        QTemporaryDir dir;
        const HilfeDatei hilfe(schreibe(dir.filePath(QStringLiteral("karte.chm")), chm::schreibeChm(buch)));
        QCOMPARE(hilfe.kontexte().size(), 2);
        QCOMPARE(hilfe.seiteFuerKontext(17), QStringLiteral("/a.htm"));
        QCOMPARE(hilfe.seiteFuerKontext(31), QStringLiteral("/b.htm"));
    }

    // Bytes flipped all over a real file give an error or a file that still reads: no crash, no hang.
    void verdorben() {
        REQUIRE_TESTDATA(ohneKarte);
        const QByteArray ganz = lies(testdataFile(ohneKarte));
        QTemporaryDir dir;
        for (qsizetype at = 0; at < ganz.size(); at += 3) {
            QByteArray verdorben = ganz;
            verdorben[at] = char(verdorben[at] ^ (at % 2 ? 0xff : 0x41));
            oeffnenUndLesen(schreibe(dir.filePath(QStringLiteral("verdorben.chm")), verdorben));
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
        QTest::newRow("path inside this file") << "::/Amza.htm"
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
