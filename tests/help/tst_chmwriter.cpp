#include "chmbuch.h"
#include "info/hilfekontext.h"
#include "platform/files.h"
#include "startup/rahmendateien.h"

#include <QDir>
#include <QTemporaryDir>
#include <QtTest>
#include <chm_lib.h>

using namespace findolin;

namespace {

// A compiled help file opened through libchm. A file it does not hold reads as empty.
class ChmDatei {
public:
    explicit ChmDatei(const QString& pfad) : chm_(chm_open(QFile::encodeName(pfad).constData())) {}
    ~ChmDatei() {
        if (chm_)
            chm_close(chm_);
    }
    bool offen() const { return chm_ != nullptr; }
    QByteArray lies(const QByteArray& name) const {
        chmUnitInfo info{};
        if (chm_resolve_object(chm_, name.constData(), &info) != CHM_RESOLVE_SUCCESS)
            return {};
        QByteArray daten(qsizetype(info.length), '\0');
        const auto gelesen = chm_retrieve_object(chm_, &info, reinterpret_cast<unsigned char*>(daten.data()),
                                                 0, LONGINT64(info.length));
        return gelesen == LONGINT64(info.length) ? daten : QByteArray();
    }
    QStringList normaleDateien() const {
        QStringList namen;
        const auto merke = [](chmFile*, chmUnitInfo* info, void* liste) {
            static_cast<QStringList*>(liste)->append(QString::fromUtf8(info->path));
            return CHM_ENUMERATOR_CONTINUE;
        };
        chm_enumerate(chm_, CHM_ENUMERATE_NORMAL, merke, &namen);
        namen.sort();
        return namen;
    }
    QMap<quint32, QString> kontexte() const { return tools::kontextKarte(lies("/#IVB"), lies("/#STRINGS")); }

private:
    chmFile* chm_;
};

QByteArray ueberschrift(const QString& text) {
    return "<h1>" + text.toUtf8() + "</h1>";
}

} // namespace

class TstChmWriter : public QObject {
    Q_OBJECT
private slots:
    // Every context id the game opens leads to a page with the expected heading: the menu items' ids in
    // Findolin.chm, and for every practice focus of the demo's list the id the game computes, in Ubix.chm.
    void kontextOeffnetSeite_data() {
        QTest::addColumn<QString>("datei");
        QTest::addColumn<quint32>("id");
        QTest::addColumn<QString>("titel");
        const std::pair<quint32, const char*> menues[] = {
            {1000, "Bedienungshinweise"}, {2000, "Spielregeln"},      {3003, "Einstellungen"},
            {3004, "Datei-Info"},         {3005, "Meisterliste"},     {3006, "Neues Spiel"},
            {3007, "Info über Findolin"}, {3008, "Übungsschwerpunkt"}};
        for (const auto& menue : menues)
            QTest::addRow("Findolin %u", menue.first)
                << QStringLiteral("Findolin.chm") << menue.first << QString::fromUtf8(menue.second);

        const platform::QtFileSystem dateien;
        const Pfade pfade = Pfade::ausProgrammordner(QStringLiteral(FINDOLIN_DEMO_DIR));
        for (const char* feld : {"CK__", "TZ__", "LIP_", "DM__", "SZ__"}) {
            StartKontext kontext;
            kontext.ubixFeldName = QString::fromLatin1(feld);
            leseUebungsTitel(dateien, pfade, kontext);
            QTest::addRow("Ubix %s", feld)
                << QStringLiteral("Ubix.chm") << quint32(hilfeKontextFuer(kontext.ubixNr, 0))
                << kontext.uebungsTitel;
        }
    }
    void kontextOeffnetSeite() {
        QFETCH(QString, datei);
        QFETCH(quint32, id);
        QFETCH(QString, titel);
        const ChmDatei chm(QDir(QStringLiteral(FINDOLIN_DEMO_DIR)).filePath(datei));
        QVERIFY(chm.offen());
        const QString seite = chm.kontexte().value(id);
        QVERIFY2(chm.lies("/" + seite.toLatin1()).contains(ueberschrift(titel)), qPrintable(seite));
    }

    // The file holds every source page byte for byte and nothing else beside its contents tree and index;
    // the start page is there, every page is in the contents tree, the index names pages of the file, and
    // the number of context ids is right.
    void demoDateiEnthaeltJedeSeite_data() {
        QTest::addColumn<QString>("datei");
        QTest::addColumn<QString>("starttitel");
        QTest::addColumn<int>("kontexte");
        QTest::addColumn<int>("stichwoerter");
        QTest::newRow("Findolin") << "Findolin"
                                  << "Bedienungshinweise" << 8 << 24;
        QTest::newRow("Ubix") << "Ubix" << QStringLiteral("Übungsschwerpunkte") << 5 << 0;
    }
    void demoDateiEnthaeltJedeSeite() {
        QFETCH(QString, datei);
        QFETCH(QString, starttitel);
        QFETCH(int, kontexte);
        QFETCH(int, stichwoerter);
        const ChmDatei chm(QDir(QStringLiteral(FINDOLIN_DEMO_DIR)).filePath(datei + ".chm"));
        QVERIFY(chm.offen());
        const QDir ordner(QStringLiteral(FINDOLIN_SOURCE_DIR "/demo/help/") + datei.toLower());
        QStringList erwartet{QStringLiteral("/inhalt.hhc")},
            seiten = ordner.entryList({QStringLiteral("*.htm")});
        if (stichwoerter > 0)
            erwartet.append(QStringLiteral("/stichwort.hhk"));
        for (const QString& name : ordner.entryList({QStringLiteral("*.htm"), QStringLiteral("*.css")})) {
            erwartet.append(QLatin1Char('/') + name);
            QFile quelle(ordner.filePath(name));
            QVERIFY(quelle.open(QIODevice::ReadOnly));
            QCOMPARE(chm.lies(erwartet.last().toLatin1()), quelle.readAll());
        }
        erwartet.sort();
        QCOMPARE(chm.normaleDateien(), erwartet);

        const auto system = tools::systemEintraege(chm.lies("/#SYSTEM"));
        QVERIFY(chm.lies("/" + system.value(2)).contains(ueberschrift(starttitel)));
        QStringList imInhalt;
        const QRegularExpression lokal(QStringLiteral("name=\"Local\" value=\"([^\"]+)\""));
        for (const auto& treffer : lokal.globalMatch(QString::fromLatin1(chm.lies("/" + system.value(0)))))
            imInhalt.append(treffer.captured(1));
        imInhalt.sort();
        QCOMPARE(imInhalt, seiten);
        QCOMPARE(chm.kontexte().size(), kontexte);
        const QString index = QString::fromLatin1(chm.lies("/" + system.value(1)));
        QCOMPARE(index.count(QStringLiteral("<LI>")), stichwoerter);
        for (const auto& treffer : lokal.globalMatch(index))
            QVERIFY2(seiten.contains(treffer.captured(1)), qPrintable(treffer.captured(1)));
    }

    // So many pages that the directory needs several listing chunks and an index chunk: every page is found.
    void grossesVerzeichnisMitIndex() {
        chm::HilfeBuch buch;
        buch.titel = QStringLiteral("Groß");
        buch.startSeite = QStringLiteral("seite-mit-einem-recht-langen-namen-000.htm");
        for (int i = 0; i < 600; ++i) {
            const QString name =
                QStringLiteral("seite-mit-einem-recht-langen-namen-%1.htm").arg(i, 3, 10, QChar('0'));
            buch.seiten.insert(name, "<h1>" + QByteArray::number(i) + "</h1>");
            buch.kontexte.insert(quint32(5000 + i), name);
        }
        const QByteArray daten = chm::schreibeChm(buch);
        QVERIFY(qFromLittleEndian<quint32>(daten.constData() + 0x78 + 0x2c) > 3); // directory chunks
        QTemporaryDir ordner;
        QFile datei(ordner.filePath(QStringLiteral("gross.chm")));
        QVERIFY(datei.open(QIODevice::WriteOnly) && datei.write(daten) == daten.size());
        datei.close();

        const ChmDatei chm(datei.fileName());
        const auto karte = chm.kontexte();
        QCOMPARE(karte.size(), 600);
        for (int i = 0; i < 600; ++i)
            QCOMPARE(chm.lies("/" + karte.value(quint32(5000 + i)).toLatin1()),
                     "<h1>" + QByteArray::number(i) + "</h1>");
        QCOMPARE(chm.normaleDateien().size(), 601);
    }
};

QTEST_GUILESS_MAIN(TstChmWriter)
#include "tst_chmwriter.moc"
