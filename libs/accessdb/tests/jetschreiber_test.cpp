#include "jetablage.h"
#include "jetschreiber.h"
#include "jetzeilen.h"
#include "platform/laufzeitfehler.h"
#include "schreibproben.h"
#include "testdata.h"
#include <accessdb/dateioeffner.h>

#include <QDateTime>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

using namespace findolin;
using namespace findolin::accessdb;

namespace {

QByteArray inhalt(const QString& pfad) {
    QFile f(pfad);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

// Every row of a table through our reader, fields joined by "|", Null as "~", numbers as numbers.
QStringList zeilen(const QString& datei, const QString& tabelle) {
    const auto rs = DateiOeffner().open(datei)->openRecordset(tabelle);
    QStringList ergebnis;
    for (rs->recordCount() ? rs->moveFirst() : void(); !rs->eof(); rs->moveNext()) {
        QStringList werte;
        for (const QString& feld : rs->fieldNames()) {
            const Wert w = rs->field(feld);
            werte.append(w.isNull()                           ? QStringLiteral("~")
                         : w.typeId() == QMetaType::Bool      ? QString::number(w.toBool() ? 1 : 0)
                         : w.typeId() == QMetaType::QDateTime ? w.toDateTime().toString(Qt::ISODate)
                                                              : w.toString());
        }
        ergebnis.append(werte.join(u'|'));
    }
    return ergebnis;
}

// Whether Debian's mdbtools are there to compare with (not under Wine, which starts no Linux program).
bool mdbtoolsDa() {
    static const bool da = !QStandardPaths::findExecutable("mdb-export").isEmpty();
    if (!da)
        qInfo("mdbtools are not installed: the comparisons with mdb-export and mdb-sql are left out");
    return da;
}

// The same rows as Debian's mdb-export writes them.
QStringList exportiert(const QString& datei, const QString& tabelle) {
    QProcess p;
    p.start("mdb-export", {"-H", "-Q", "-d", "|", "-R", "\x1e", "-0", "~", "-b", "strip", "-D",
                           "%Y-%m-%dT%H:%M:%S", "-T", "%Y-%m-%dT%H:%M:%S", datei, tabelle});
    if (!p.waitForFinished(60000) || p.exitCode() != 0)
        return {"mdb-export failed: " + QString::fromUtf8(p.readAllStandardError())};
    QStringList liste = QString::fromUtf8(p.readAllStandardOutput()).split(u'\x1e', Qt::SkipEmptyParts);
    for (QString& zeile : liste) {
        QStringList felder = zeile.split(u'|');
        for (QString& feld : felder)
            if (bool zahl = false; feld.toDouble(&zahl), zahl && feld.contains(u'.'))
                feld = QString::number(feld.toDouble(), 'g', 7); // as precise as a Single
        zeile = felder.join(u'|');
    }
    return liste;
}

// The number of rows mdb-sql finds in a table.
int zeilenMdbSql(const QString& datei, const QString& tabelle) {
    QProcess p;
    p.start("mdb-sql", {"-H", "-F", "-P", "-d", "|", datei});
    p.write(("SELECT * FROM [" + tabelle + "]\n").toUtf8());
    p.closeWriteChannel();
    if (!p.waitForFinished(60000) || p.exitCode() != 0)
        return -1;
    return int(QString::fromUtf8(p.readAllStandardOutput()).split(u'\n', Qt::SkipEmptyParts).size());
}

// The pages in which two files differ, and the pages the second has beyond the first.
QList<int> geaenderteSeiten(const QByteArray& alt, const QByteArray& neu, int seite) {
    QList<int> liste;
    for (qsizetype a = 0; a < neu.size(); a += seite)
        if (a >= alt.size() || alt.mid(a, seite) != neu.mid(a, seite))
            liste.append(int(a / seite));
    return liste;
}

// The run-time error `tue` ends in; empty when there is none.
template <typename Tue> QString fehlerVon(Tue tue) {
    try {
        tue();
    } catch (const Laufzeitfehler& e) {
        return e.problem();
    }
    return {};
}

// One write: the rows at `weg` deleted (also from `soll`), then the rows `neu` added.
void schreibeMal(const QString& pfad, const QString& tabelle, const QStringList& neu, const QList<int>& weg,
                 QStringList& soll) {
    {
        auto db = DateiOeffner().open(pfad);
        auto rs = db->openRecordset(tabelle);
        db->beginTrans();
        for (int i : weg) {
            rs->moveFirst();
            rs->move(i);
            rs->deleteCurrent();
            soll.removeAt(i);
        }
        for (const QString& zeile : neu) {
            rs->addNew();
            const QStringList werte = zeile.split(u'|');
            for (int f = 0; f < werte.size(); ++f)
                if (werte[f] != QLatin1String("~") || f > 0)
                    rs->setField(rs->fieldNames()[f],
                                 werte[f] == QLatin1String("~") ? Wert() : Wert(werte[f]));
            rs->update();
        }
        db->commitTrans();
    }
}

// Writes `daten` as the whole file, as another program would.
void ersetzeDatei(const QString& pfad, const QByteArray& daten) {
    QFile f(pfad);
    QVERIFY(f.open(QIODevice::WriteOnly | QIODevice::Truncate) && f.write(daten) == daten.size());
}

QByteArray utf16(const QString& text) {
    return QByteArray(reinterpret_cast<const char*>(text.utf16()), text.size() * 2);
}

} // namespace

// The writer for Access files: rows added and deleted in copies of real files, read back through our reader
// and mdb-export; every page that should not change stays byte for byte; refusals and failures at every step
// of the replacement leave the original as it was.
class JetSchreiberTest : public QObject {
    Q_OBJECT

    QTemporaryDir ordner_;

    QString kopie(const QString& datei) {
        const QString ziel = ordner_.filePath(QFileInfo(datei).fileName());
        QFile::remove(ziel);
        QFile::remove(ordner_.filePath("Meister.ldb"));
        if (!QFile::copy(testdataFile(datei), ziel) ||
            !QFile::setPermissions(ziel, QFile::ReadOwner | QFile::WriteOwner))
            return {};
        return ziel;
    }

private slots:
    void init() { jet::sperrWarteMs = 0; }
    void cleanup() { jet::fehlerProbe = nullptr; }

    void schreiben_data() {
        QTest::addColumn<QString>("datei");
        QTest::addColumn<QString>("tabelle");
        QTest::addColumn<QStringList>("neu"); // values of the fields, "|"-separated, ~ for Null
        QTest::addColumn<int>(
            "wiederholt"); // how often the new rows are added, each time in a write of its own
        QTest::addColumn<QList<int>>("weg"); // rows deleted in the last write, by their place in the table
        QTest::addColumn<QStringList>("erwartet"); // the new rows as read back; "|..." after an AutoNumber
        QTest::addColumn<int>("autoWert");         // the first AutoNumber given
        QTest::addColumn<QList<int>>("seiten");    // the pages that change; empty: not counted
        const QString meister = "access/Meister.mdb";
        QTest::newRow("Jet 4: one row added")
            << meister << "Punkte" << QStringList{"~|Gül Ümit €|Findolin|06.12.2026|51"} << 1 << QList<int>{}
            << QStringList{"|Gül Ümit €|Findolin|06.12.2026|51"} << 13 << QList<int>{24, 26};
        QTest::newRow("Jet 4: a row added and the lowest deleted, in one write")
            << meister << "Punkte" << QStringList{"~|Uwe|Findolin|06.12.2026|51"} << 1 << QList<int>{7}
            << QStringList{"|Uwe|Findolin|06.12.2026|51"} << 13 << QList<int>{24, 26};
        QTest::newRow("Jet 4: AutoNumber goes on after the last row is deleted")
            << meister << "Punkte" << QStringList{"~|A|Findolin|1.1.2027|1", "~|B|~|~|~"} << 1
            << QList<int>{11, 0} << QStringList{"13|A|Findolin|1.1.2027|1", "14|B|~|~|~"} << 0
            << QList<int>{24, 26};
        QTest::newRow("Jet 4: 150 writes in a row, new pages")
            << meister << "Punkte" << QStringList{"~|Mia-Sophie Großmann|Findolin|06.12.2026|777"} << 150
            << QList<int>{} << QStringList{"|Mia-Sophie Großmann|Findolin|06.12.2026|777"} << 13
            << QList<int>{};
        QTest::newRow("Jet 4, rows deleted by Access before: compressed text")
            << "mdb-public/delTestV2000.mdb"
            << "Table" << QStringList{"xyz|Ärger mit ſ", "~|~"} << 1 << QList<int>{0}
            << QStringList{"xyz|Ärger mit ſ", "~|~"} << 0 << QList<int>{};
        const QString lang = QStringLiteral("Straße – €").repeated(25) + "Ende."; // a row past 256 bytes
        QTest::newRow("Jet 3: code page 1252, rows past 256 bytes, new pages")
            << "mdb-public/nwind.mdb"
            << "MSysModules" << QStringList{lang, "Öl"} << 10 << QList<int>{0, 3} << QStringList{lang, "Öl"}
            << 0 << QList<int>{};
        QTest::newRow("Jet 3, the key's index kept in step")
            << "mdb-public/nwind.mdb"
            << "Shippers" << QStringList{"~|Schnell & Co.|(0641) 555-0"} << 3 << QList<int>{1}
            << QStringList{"|Schnell & Co.|(0641) 555-0"} << 4 << QList<int>{};
    }
    void schreiben() {
        QFETCH(QString, datei);
        QFETCH(QString, tabelle);
        QFETCH(QStringList, neu);
        QFETCH(int, wiederholt);
        QFETCH(QList<int>, weg);
        QFETCH(QStringList, erwartet);
        QFETCH(int, autoWert);
        REQUIRE_TESTDATA(datei);
        const QString pfad = kopie(datei);
        const QByteArray alt = inhalt(pfad);
        QStringList soll = zeilen(pfad, tabelle);
        if (mdbtoolsDa())
            QCOMPARE(exportiert(pfad, tabelle), soll);
        // A refused write fails this row alone.
        const QString fehler = fehlerVon([&] {
            for (int mal = 0; mal < wiederholt; ++mal) { // the deletions go with the last write
                schreibeMal(pfad, tabelle, neu, mal + 1 < wiederholt ? QList<int>{} : weg, soll);
                for (const QString& e : erwartet)
                    soll.append(e.startsWith(u'|') ? QString::number(autoWert + mal) + e : e);
            }
        });
        QVERIFY2(fehler.isEmpty(), qPrintable(fehler));
        QCOMPARE(zeilen(pfad, tabelle), soll);
        if (mdbtoolsDa()) {
            QCOMPARE(exportiert(pfad, tabelle), soll);
            QCOMPARE(zeilenMdbSql(pfad, tabelle), soll.size());
        }
        QVERIFY(!QFileInfo::exists(jet::arbeitskopie(pfad)));
        const int seite = alt.at(0x14) == 0 ? 2048 : 4096;
        QFETCH(QList<int>, seiten);
        if (!seiten.isEmpty())
            QCOMPARE(geaenderteSeiten(alt, inhalt(pfad), seite), seiten);
        QCOMPARE(inhalt(pfad).left(seite), alt.left(seite)); // the definition page is never touched
    }
    // Every row Access wrote, of every column type, taken apart and built again gives back its bytes; the
    // values taken apart are those mdb-export shows.
    void zeilen_wie_access_data() {
        QTest::addColumn<QString>("datei");
        QTest::addColumn<QString>("tabelle");
        QTest::newRow("Jet 4: Text, Byte, Integer, Long, Double, DateTime, Currency, Boolean")
            << "mdb-public/testV2000.mdb"
            << "Table1";
        QTest::newRow("Jet 4: AutoNumber, uncompressed text") << "access/Meister.mdb"
                                                              << "Punkte";
        QTest::newRow("Jet 3: Currency, Single, Integer") << "mdb-public/nwind.mdb"
                                                          << "Order Details";
        QTest::newRow("Jet 3: dates, umlauts") << "mdb-public/nwind.mdb"
                                               << "Orders";
        QTest::newRow("Jet 3: long rows") << "mdb-public/nwind.mdb"
                                          << "Customers";
    }
    void zeilen_wie_access() {
        QFETCH(QString, datei);
        QFETCH(QString, tabelle);
        REQUIRE_TESTDATA(datei);
        jet::Schreiber schreiber(inhalt(testdataFile(datei)));
        const jet::Datei& d = schreiber.datei();
        const jet::TabellenDef t = d.tabelle(schreiber.tabellenSeite(tabelle));
        QStringList gelesen;
        for (quint32 seite : jet::Nutzungskarte(const_cast<jet::Datei&>(d), t.belegt).seiten()) {
            if (d.art(seite) != jet::Datenseite || jet::lies32(d.daten(), d.anfang(seite) + 4) != t.seite)
                continue;
            for (int z = 0; z < d.zeilenzahl(seite); ++z) {
                if (d.zeilenEintrag(seite, z) & (jet::geloeschtFlag | jet::verweisFlag))
                    continue;
                const auto [start, laenge] = d.zeilenGrenzen(seite, z);
                const QByteArray zeile = d.daten().mid(d.anfang(seite) + start, laenge);
                const QList<Wert> werte = jet::zerlegeZeile(t, d.format(), zeile);
                // Access may leave room behind a row's values when it changed the row in place
                const QByteArray gebaut = jet::baueZeile(t, d.format(), werte);
                if (gebaut.size() < zeile.size())
                    QCOMPARE(jet::zerlegeZeile(t, d.format(), gebaut), werte);
                else
                    QCOMPARE(gebaut.toHex(' '), zeile.toHex(' '));
                QStringList felder;
                for (const Wert& w : werte)
                    felder.append(w.isNull()                           ? QStringLiteral("~")
                                  : w.typeId() == QMetaType::Bool      ? QString::number(w.toBool())
                                  : w.typeId() == QMetaType::QDateTime ? w.toDateTime().toString(Qt::ISODate)
                                  : w.typeId() == QMetaType::Double    ? QString::number(w.toDouble(), 'g', 7)
                                                                       : w.toString());
                gelesen.append(felder.join(u'|'));
            }
        }
        if (mdbtoolsDa())
            QCOMPARE(gelesen, exportiert(testdataFile(datei), tabelle));
    }

    // Other programs share the file, and the reader may see a copy otherwise than it was written: what
    // another program wrote is never lost, and a write that cannot be made safely is refused whole.
    void andereProgramme_data() {
        QTest::addColumn<QString>("fall");
        QTest::addColumn<QString>("meldung"); // how our write is refused; empty: it may also succeed
        QTest::newRow("another program adds a row before our commit") << "dazwischen"
                                                                      << "";
        QTest::newRow("another program renamed the row we delete") << "umbenannt"
                                                                   << "hält andere Werte";
        // libmdb reads a character outside the 16-bit range as "??": where it reads, the write is refused
        QTest::newRow("a name that may not read back as written")
            << "liestAnders"
            << "liest sich nach dem Schreiben nicht wie erwartet";
    }
    void andereProgramme() {
        REQUIRE_TESTDATA("access/Meister.mdb");
        QFETCH(QString, fall);
        QFETCH(QString, meldung);
        const QString pfad = kopie("access/Meister.mdb");
        QByteArray fremd = inhalt(pfad);           // the file as the other program leaves it
        if (fall == QLatin1String("dazwischen")) { // it adds a row at once, outside a transaction
            const QString anders = ordner_.filePath("Anders.mdb");
            QFile::remove(anders);
            QVERIFY(QFile::copy(pfad, anders));
            {
                auto anderesProgramm = DateiOeffner().open(anders);
                auto anderes = anderesProgramm->openRecordset("Punkte");
                anderes->addNew();
                anderes->setField("Name", "Eva");
                anderes->update();
            }
            fremd = inhalt(anders);
        }
        const QString fehler = fehlerVon([&] {
            auto db = DateiOeffner().open(pfad);
            auto rs = db->openRecordset("Punkte");
            db->beginTrans();
            if (fall == QLatin1String("umbenannt")) {
                for (rs->moveFirst(); rs->field("Name") != QLatin1String("Fritz"); rs->moveNext()) {
                }
                ersetzeDatei(pfad, fremd.replace(utf16("Fritz"), utf16("Franz")));
                rs->deleteCurrent();
            } else {
                rs->addNew();
                rs->setField("Name", fall == QLatin1String("liestAnders") ? "Mia \U0001F984" : "Uwe");
                rs->update();
            }
            // a program that does not wait for our lock (a copy put back by hand, a share without locks)
            if (fall == QLatin1String("dazwischen"))
                ersetzeDatei(pfad, fremd);
            db->commitTrans();
        });
        QVERIFY(!QFileInfo::exists(jet::arbeitskopie(pfad)));
        const QStringList namen =
            zeilen(pfad, "Punkte").replaceInStrings(QRegularExpression("^\\d+\\|([^|]*).*"), "\\1");
        if (fall == QLatin1String("liestAnders") && fehler.isEmpty()) {
            QVERIFY(namen.contains("Mia \U0001F984"));
            return;
        }
        if (fall == QLatin1String("dazwischen")) {
            QVERIFY2(namen.contains("Eva"), qPrintable(fehler));
            QCOMPARE(namen.contains("Uwe"), fehler.isEmpty());
            if (mdbtoolsDa())
                QCOMPARE(exportiert(pfad, "Punkte"), zeilen(pfad, "Punkte"));
            return;
        }
        QVERIFY2(fehler.contains(meldung), qPrintable(fehler));
        QCOMPARE(inhalt(pfad), fremd);
    }

    // A row that fills the rest of a page exactly, with the two bytes of its entry in the row offset table,
    // goes there; one that would fill it without them goes to a new page. Every row reads back.
    void zeileFuelltSeite_data() {
        QTest::addColumn<int>("ueberhang"); // bytes the last row lacks for a place on the page
        QTest::newRow("fits with its entry") << 0;
        QTest::newRow("fits without its entry") << 2;
        QTest::newRow("one byte short") << 1;
    }
    void zeileFuelltSeite() {
        REQUIRE_TESTDATA("mdb-public/delTestV2000.mdb");
        QFETCH(int, ueberhang);
        const QString pfad = kopie("mdb-public/delTestV2000.mdb");
        // The rows are planned on the file in memory: a text of 3 to 50 Latin-1 characters is stored
        // compressed, one byte a character.
        jet::Schreiber plan(inhalt(pfad));
        QStringList neu;
        QList<Wert> gespeichert;
        const auto fuegeEin = [&](int n) {
            neu.append(QString(n, u'x') + "|abc");
            return quint32(plan.fuegeEin("Table", {"a", "b"}, {QString(n, u'x'), "abc"}, gespeichert) >> 8);
        };
        const quint32 seite = fuegeEin(3);
        const int dreier = plan.datei().zeilenGrenzen(seite, plan.datei().zeilenzahl(seite) - 1).second;
        for (;;) {
            // the text that makes the next row `ueberhang` bytes longer than the room left beside its entry
            const int n = plan.datei().platz(seite) - 2 + ueberhang - dreier + 3;
            if (n >= 3 && n <= 50) {
                QCOMPARE(fuegeEin(n) == seite, ueberhang == 0);
                break;
            }
            QVERIFY(n > 50);
            fuegeEin(std::clamp(n - 29 - dreier, 3, 50)); // leaves room for a text of about 30
        }
        const QStringList vorher = zeilen(pfad, "Table");
        QStringList soll = vorher;
        QCOMPARE(fehlerVon([&] { schreibeMal(pfad, "Table", neu, {}, soll); }), QString());
        QCOMPARE(zeilen(pfad, "Table"), vorher + neu);
        if (mdbtoolsDa())
            QCOMPARE(exportiert(pfad, "Table"), vorher + neu);
    }

    // A table's page map covers a window of 512 pages. The first page the table takes at the window's edge
    // moves the window; the rows on it are found.
    void kartenfensterAmRand() {
        REQUIRE_TESTDATA("mdb-public/delTestV2000.mdb");
        const QString pfad = kopie("mdb-public/delTestV2000.mdb");
        // Free pages up to the edge, as a file that Access has not compacted holds them.
        ersetzeDatei(pfad, inhalt(pfad).leftJustified(512 * 4096, '\0'));
        const QStringList vorher = zeilen(pfad, "Table");
        QStringList neu;
        for (int i = 0; i < 30; ++i) // more than the table's last page holds
            neu.append(QString::number(i) + QString(48, QChar(0x20ac)) + u'|' + QString(50, QChar(0x20ac)));
        QStringList soll = vorher;
        QCOMPARE(fehlerVon([&] { schreibeMal(pfad, "Table", neu, {}, soll); }), QString());
        QVERIFY(inhalt(pfad).size() > 512 * 4096);
        QCOMPARE(zeilen(pfad, "Table"), vorher + neu);
        if (mdbtoolsDa())
            QCOMPARE(exportiert(pfad, "Table"), vorher + neu);
    }

    // What the writer refuses leaves the file as it was, with a message naming the reason.
    void ablehnen_data() {
        QTest::addColumn<QString>("datei");
        QTest::addColumn<QString>("tabelle");
        QTest::addColumn<QString>("fall");
        QTest::addColumn<QString>("meldung");
        QTest::newRow("Jet 4 index on text") << "mdb-public/testV2000.mdb"
                                             << "Table1"
                                             << "anfuegen"
                                             << "den Index „PrimaryKey“";
        QTest::newRow("Jet 3 index on text") << "mdb-public/nwind.mdb"
                                             << "Categories"
                                             << "anfuegen"
                                             << "den Index „CategoryName“";
        QTest::newRow("Jet 3 index on text, delete") << "mdb-public/nwind.mdb"
                                                     << "Categories"
                                                     << "loeschen"
                                                     << "den Index „CategoryName“";
        QTest::newRow("open in Access")
            << "access/Meister.mdb"
            << "Punkte"
            << "gesperrt"
            << "in einem anderen Programm geöffnet (Meister.ldb, Rechner „PC-07“)";
        QTest::newRow("text longer than its column") << "access/Meister.mdb"
                                                     << "Punkte"
                                                     << "lang"
                                                     << "ist länger als die Spalte";
        QTest::newRow("spelling database") << "access/Omnor-D.mdb"
                                           << "WortListe"
                                           << "wortliste"
                                           << "kann nur gelesen werden";
    }
    void ablehnen() {
        QFETCH(QString, datei);
        QFETCH(QString, tabelle);
        QFETCH(QString, fall);
        REQUIRE_TESTDATA(datei);
        const QString pfad = kopie(datei);
        const QByteArray alt = inhalt(pfad);
        platform::dateisystem::Sperrdatei access; // as Access marks its first user
        if (fall == QLatin1String("gesperrt"))
            QVERIFY(access.oeffne(ordner_.filePath("Meister.ldb")).isEmpty() &&
                    access.sperre(0x10000001, 1) && access.schreibe(0, "PC-07"));
        auto db = fall == QLatin1String("wortliste") ? DateiOeffner().openReadOnly(pfad)
                                                     : DateiOeffner().open(pfad);
        auto rs = db->openRecordset(tabelle);
        const QString fehler = fehlerVon([&] {
            if (fall == QLatin1String("loeschen")) {
                rs->moveFirst();
                rs->deleteCurrent();
                return;
            }
            rs->addNew();
            rs->setField(rs->fieldNames().at(1), fall == QLatin1String("lang") ? QString(51, u'x') : "x");
            rs->update();
        });
        QFETCH(QString, meldung);
        QVERIFY2(fehler.contains(meldung), qPrintable(fehler));
        QCOMPARE(inhalt(pfad), alt);
    }

    // A failure at any step of the replacement, or a copy that does not read back as written, leaves the
    // original byte for byte as it was and no copy behind; the next write goes through.
    void fehler_beim_ersetzen_data() {
        QTest::addColumn<int>("schritt");
        QTest::addColumn<bool>("verfaelscht"); // the copy is damaged on the disk instead
        QTest::newRow("lock") << int(jet::Schritt::Sperre) << false;
        QTest::newRow("compare") << int(jet::Schritt::Vergleich) << false;
        QTest::newRow("copy") << int(jet::Schritt::Kopie) << false;
        QTest::newRow("check") << int(jet::Schritt::Pruefung) << false;
        QTest::newRow("rename") << int(jet::Schritt::Umbenennen) << false;
        QTest::newRow("copy damaged") << int(jet::Schritt::Pruefung) << true;
    }
    void fehler_beim_ersetzen() {
        REQUIRE_TESTDATA("access/Meister.mdb");
        QFETCH(int, schritt);
        QFETCH(bool, verfaelscht);
        const QString pfad = kopie("access/Meister.mdb");
        const QByteArray alt = inhalt(pfad);
        jet::fehlerProbe = [&](jet::Schritt s) {
            if (int(s) != schritt)
                return;
            if (!verfaelscht)
                throw Laufzeitfehler("eingespielter Fehler", pfad);
            QFile f(jet::arbeitskopie(pfad));
            QVERIFY(f.open(QIODevice::ReadWrite) && f.seek(26 * 4096 + 2) && f.write("\x01", 1) == 1);
        };
        const auto schreibe = [&] {
            auto db = DateiOeffner().open(pfad);
            auto rs = db->openRecordset("Punkte");
            db->beginTrans();
            rs->moveFirst();
            rs->deleteCurrent();
            rs->addNew();
            rs->setField("Name", "Eva");
            rs->update();
            db->commitTrans();
        };
        QVERIFY(!fehlerVon(schreibe).isEmpty());
        QCOMPARE(inhalt(pfad), alt);
        QVERIFY(!QFileInfo::exists(jet::arbeitskopie(pfad)));
        jet::fehlerProbe = nullptr;
        QCOMPARE(fehlerVon(schreibe), QString());
        QCOMPARE(zeilen(pfad, "Punkte").last(), "13|Eva|~|~|~");
    }
};

QTEST_GUILESS_MAIN(JetSchreiberTest)
#include "jetschreiber_test.moc"
