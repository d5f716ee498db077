#include "db_sqlite_hilfen.h"
#include "highscores/meisterfrm.h"
#include "highscores/view/meisterdialog.h"
#include "platform/laufzeitfehler.h"
#include "platform/sperrdatei.h"
#include "schreibproben.h"
#include "support/virtualeventloop.h"
#include "testdata.h"
#include <accessdb/dateioeffner.h>

#include <QLabel>
#include <QPushButton>
#include <QtTest>

using namespace findolin;

namespace {

// A list written in one text, its entries separated by ";".
QStringList L(const QString& text = {}) {
    return text.split(u';', Qt::SkipEmptyParts);
}

// A row as the tests write it: "Name=Punkte" for this game, "Spiel:Name=Punkte" for another; a row that
// the game wrote today ends in " neu".
void schreibeListe(const QString& pfad, const QStringList& zeilen, const QString& bedingung) {
    SqliteDatei datei(pfad);
    datei.sql("CREATE TABLE Punkte (ID INTEGER PRIMARY KEY, Name TEXT, Programm TEXT, Datum TEXT, Punkte "
              "INTEGER" +
              bedingung + ")");
    for (const QString& z : zeilen)
        datei.sql(QStringLiteral(
                      "INSERT INTO Punkte (Name, Programm, Datum, Punkte) VALUES ('%1','%2','01.12.2026',%3)")
                      .arg(z.section(u':', -1).section(u'=', 0, 0),
                           z.contains(u':') ? z.section(u':', 0, 0) : QStringLiteral("Findolin"),
                           z.section(u'=', -1)));
}

// The same rows in the framework's Access list, whose own rows are deleted first: written by our writer.
void schreibeAccessListe(const QString& pfad, const QStringList& zeilen) {
    auto db = accessdb::DateiOeffner().open(pfad);
    const auto rs = db->openRecordset(QStringLiteral("Punkte"));
    db->beginTrans();
    while (rs->recordCount() > 0) {
        rs->moveFirst();
        rs->deleteCurrent();
    }
    for (const QString& z : zeilen) {
        rs->addNew();
        rs->setField("Name", z.section(u':', -1).section(u'=', 0, 0));
        rs->setField("Programm", z.contains(u':') ? z.section(u':', 0, 0) : QStringLiteral("Findolin"));
        rs->setField("Datum", "01.12.2026");
        const QString punkte = z.section(u'=', -1);
        rs->setField("Punkte", punkte == QLatin1String("NULL") ? accessdb::Wert() : punkte.toInt());
        rs->update();
    }
    db->commitTrans();
}

// The run-time error `tue` ends in; empty when there is none.
template <typename Tue> QString fehlerVon(Tue tue) {
    try {
        tue();
    } catch (const Laufzeitfehler& e) {
        return e.meldung();
    }
    return {};
}

QStringList liesListe(accessdb::DatabaseOpener& oeffner, const QString& pfad) {
    const auto rs = oeffner.open(pfad)->openRecordset(QStringLiteral("Punkte"));
    QStringList zeilen;
    for (rs->recordCount() ? rs->moveFirst() : void(); !rs->eof(); rs->moveNext()) {
        const QString spiel = rs->field("Programm").toString();
        zeilen.append(
            (spiel == QLatin1String("Findolin") ? QString() : spiel + u':') + rs->field("Name").toString() +
            u'=' + rs->field("Punkte").toString() +
            (rs->field("Datum") == QLatin1String("06.12.2026") ? QStringLiteral(" neu") : QString()));
    }
    return zeilen;
}

QByteArray inhalt(const QString& pfad) {
    QFile f(pfad);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

StartKontext spieler(const QStringList& namenUndPunkte) {
    StartKontext k;
    for (const QString& s : namenUndPunkte) {
        k.spielerName[k.nSpieler] = s.section(u'=', 0, 0);
        k.spielerPunkte[k.nSpieler++] = s.section(u'=', 1).toInt();
    }
    return k;
}

} // namespace

class TstMeisterliste : public QObject {
    Q_OBJECT

    QTemporaryDir ordner_;
    QString datei_ = ordner_.filePath(QStringLiteral("Meister.mdb"));
    platform::VirtualEventLoop uhr_; // 6 December 2026
    accessdb::DateiOeffner oeffner_;
    MeisterListe liste_{oeffner_, uhr_, datei_};

private slots:
    // The program end offers the players, then the dialog shows the list. The file is an SQLite list with
    // `vorher`, none, one without the table, the shared Access list or a file that is no database. A list
    // that cannot be written is reported (`grund`) and left as it was.
    void liste_data() {
        QTest::addColumn<QString>("art");
        QTest::addColumn<QStringList>("vorher");
        QTest::addColumn<QStringList>("spieler");
        QTest::addColumn<QString>("grund");
        QTest::addColumn<QStringList>("nachher");
        QTest::addColumn<QStringList>("gezeigt"); // rank|name|date|points; "-": not looked at
        const QStringList neun =
            L("A=100;Rechenmeister:Ben=1;B=200;C=300;D=400;E=500;F=600;G=700;H=800;I=900");
        const QStringList zehn = L("Buchstabenzug:Emil=50;A=300;B=400;C=500;D=600;E=700;F=800;G=900;H=999");
        const QStringList gemischt = L("Anna=300;Rechenmeister:Ben=990;Clara=300;Null=0;Minus=-5");
        const QString lang = QStringLiteral("Maximiliane Sophie Müller=30;Kurz                =20");
        QTest::newRow("no file: a new list")
            << "keine Datei" << L() << L("Anna=10;Ben=0;Cem=5") << "" << L("Anna=10 neu;Cem=5 neu")
            << L("1.|Anna|06.12.2026|10;2.|Cem|06.12.2026|5");
        QTest::newRow("empty table, no points") << "sqlite" << L() << L("Ben=0") << "" << L() << L();
        QTest::newRow("no table") << "keine Tabelle" << L() << L("Anna=10") << "" << L("Anna=10 neu")
                                  << L("1.|Anna|06.12.2026|10");
        for (const QString art : {"sqlite", "access"}) { // the rules run on both kinds of file alike
            QTest::addRow("%s: shown: equal points, other games, no points, long names", qPrintable(art))
                << art << gemischt << L(lang) << "" << gemischt + L(lang).replaceInStrings("0", "0 neu")
                << L("1.|Anna|01.12.2026|300;2.|Clara|01.12.2026|300;3.|Maximiliane Sophie|06.12.2026|30;"
                     "4.|Kurz                |06.12.2026|20");
            QTest::addRow("%s: nine rows, two players: the first enters, the second replaces it",
                          qPrintable(art))
                << art << neun << L("Paul=50;Pia=60") << "" << neun + L("Pia=60 neu") << L("-");
            // Another game's 50 stands first: it is not this game's to delete.
            QTest::addRow("%s: ten rows, lowest 50: 50 stays out, 51 replaces the first 50", qPrintable(art))
                << art << zehn.mid(0, 1) + L("Fritz=50") + zehn.mid(1) + L("Hannes=50") << L("Tom=50;Uwe=51")
                << "" << zehn + L("Hannes=50;Uwe=51 neu") << L("-");
            // Another program left a row without points: it counts as a row, but is never the lowest.
            QTest::addRow("%s: ten rows, one without points", qPrintable(art))
                << art << L("Ohne=NULL") + neun.mid(0, 1) + neun.mid(2) << L("Paul=150") << ""
                << L("Ohne=") + neun.mid(2) + L("Paul=150 neu") << L("-");
        }
        QTest::newRow("a write fails half-way")
            << "sqlite" << L("A=100") << L("Anna=500;Ben=2000") << "Datenbankfehler" << L("A=100")
            << L("1.|A|01.12.2026|100");
        const QStringList meister = L("Anna=420;Rechenmeister:Ben=990;Clara Sophie=380;Dominik=75;Ben=150;"
                                      "Buchstabenzug:Emil=12;Anna=1210;Fritz=50;Gül=300;Hannes=50;"
                                      "Ida-Marie von Hohenstein=610;Rechenmeister:Jonas=5");
        QStringList gekuerzt = meister;
        gekuerzt.removeOne("Fritz=50");
        QTest::newRow("the framework's Access list: one enters, one replaces the first 50")
            << "access" << L("-") << L("Anna=500;Ben=60") << "" << gekuerzt + L("Anna=500 neu;Ben=60 neu")
            << L("1.|Anna|07.11.2026|1210;2.|Ida-Marie von Hohe|11.11.2026|610;3.|Anna|06.12.2026|500;"
                 "4.|Anna|03.11.2026|420;5.|Clara Sophie|05.11.2026|380;6.|Gül|09.11.2026|300;"
                 "7.|Ben|06.11.2026|150;8.|Dominik|05.11.2026|75;9.|Ben|06.12.2026|60;10.|Hannes|10.11.2026|"
                 "50");
        QTest::newRow("the Access list open in Access")
            << "access" << L("-") << L("Anna=500") << "in einem anderen Programm geöffnet" << L() << L("-");
        QTest::newRow("the SQLite list in another program's write")
            << "sqlite" << L("A=100") << L("Anna=500") << "in einem anderen Programm belegt" << L() << L("-");
        QTest::newRow("no database") << "kaputt" << L() << L("Anna=500") << "keine Datenbank" << L()
                                     << L("-");
    }
    void liste() {
        QFETCH(QString, art);
        QFETCH(QStringList, vorher);
        QFETCH(QString, grund);
        QFETCH(QStringList, gezeigt);
        QFile::remove(datei_);
        if (art == QLatin1String("sqlite"))
            schreibeListe(datei_, vorher, QStringLiteral(" CHECK (Punkte < 1000)"));
        else if (art == QLatin1String("keine Tabelle"))
            SqliteDatei(datei_).sql("CREATE TABLE Andere (x INTEGER)");
        else if (QFile f(datei_); art == QLatin1String("kaputt"))
            QVERIFY(f.open(QIODevice::WriteOnly) && f.write("Meisterliste\r\nAnna 420\r\n") > 0);
        else if (art == QLatin1String("access") && !QFile::copy(testdataFile("access/Meister.mdb"), datei_))
            QSKIP("shared test data not found: access/Meister.mdb");
        if (art == QLatin1String("access")) {
            QFile::setPermissions(datei_, QFile::ReadOwner | QFile::WriteOwner);
            if (vorher != QStringList{"-"})
                QCOMPARE(fehlerVon([&] { schreibeAccessListe(datei_, vorher); }), QString());
        }
        accessdb::jet::sperrWarteMs = 0;
        const QString sperre = ordner_.filePath(QStringLiteral("Meister.ldb"));
        QFile::remove(sperre);
        platform::dateisystem::Sperrdatei access; // as Access marks its first user
        if (grund.contains(QStringLiteral("geöffnet")))
            QVERIFY(access.oeffne(sperre).isEmpty() && access.sperre(0x10000001, 1));
        sqlite3* anderes = nullptr; // another program that holds the SQLite list's write lock
        const auto schliesse = qScopeGuard([&] { sqlite3_close(anderes); });
        if (grund.contains(QStringLiteral("belegt")))
            QVERIFY(sqlite3_open(QFile::encodeName(datei_).constData(), &anderes) == SQLITE_OK &&
                    sqlite3_exec(anderes, "BEGIN IMMEDIATE", nullptr, nullptr, nullptr) == SQLITE_OK);
        const QByteArray alt = inhalt(datei_);

        QFETCH(QStringList, spieler);
        const QString bericht = liste_.updateMeister(::spieler(spieler));
        QVERIFY2(grund.isEmpty() ? bericht.isEmpty() : bericht.contains(grund) && bericht.endsWith(datei_),
                 qPrintable(bericht));
        if (!grund.isEmpty())
            QCOMPARE(inhalt(datei_), alt);
        else
            QTEST(QFileInfo::exists(datei_) ? liesListe(oeffner_, datei_) : QStringList{}, "nachher");

        platform::ScriptedPresenter presenter;
        MeisterFrm frm(presenter, liste_);
        if (art == QLatin1String("kaputt")) { // shown, the dialog says why the list is not there
            frm.ladeListe();
            QVERIFY2(frm.hinweis.contains(grund) && frm.hinweis.endsWith(datei_), qPrintable(frm.hinweis));
        }
        if (gezeigt == QStringList{"-"})
            return;
        QCOMPARE(fehlerVon([&] { frm.ladeListe(); }), QString());
        QString spalten[4];
        for (const QString& zeile : gezeigt)
            for (int i = 0; i < 4; ++i)
                spalten[i] += zeile.section(u'|', i, i) + QChar(13);
        QCOMPARE((QStringList{frm.platzLbl, frm.nameLbl, frm.datumLbl, frm.punkteLbl}),
                 QStringList(spalten, spalten + 4));
    }

    // The launcher empties the list of this game's rows, in one transaction; the other games' rows stay, a
    // list that cannot be written stays as it was, and where there is no list none is made.
    void leeren_data() {
        QTest::addColumn<QString>("art");
        QTest::addColumn<QStringList>("vorher");
        QTest::addColumn<int>("geloescht"); // -1: refused
        QTest::addColumn<QStringList>("nachher");
        QTest::newRow("SQLite list") << "sqlite" << L("Anna=300;Rechenmeister:Ben=990;Clara=300;Null=0") << 3
                                     << L("Rechenmeister:Ben=990");
        QTest::newRow("the framework's Access list")
            << "access" << L() << 9 << L("Rechenmeister:Ben=990;Buchstabenzug:Emil=12;Rechenmeister:Jonas=5");
        QTest::newRow("the Access list open in Access") << "geöffnet" << L() << -1 << L();
        QTest::newRow("no list") << "keine Datei" << L() << 0 << L();
    }
    void leeren() {
        QFETCH(QString, art);
        QFETCH(int, geloescht);
        QFile::remove(datei_);
        const QString sperre = ordner_.filePath(QStringLiteral("Meister.ldb"));
        QFile::remove(sperre);
        accessdb::jet::sperrWarteMs = 0;
        QFETCH(QStringList, vorher);
        if (art == QLatin1String("sqlite"))
            schreibeListe(datei_, vorher, {});
        else if (art != QLatin1String("keine Datei") &&
                 !QFile::copy(testdataFile("access/Meister.mdb"), datei_))
            QSKIP("shared test data not found: access/Meister.mdb");
        QFile::setPermissions(datei_, QFile::ReadOwner | QFile::WriteOwner);
        platform::dateisystem::Sperrdatei access; // as Access marks its first user
        if (art == QStringLiteral("geöffnet"))
            QVERIFY(access.oeffne(sperre).isEmpty() && access.sperre(0x10000001, 1));
        const QByteArray alt = inhalt(datei_);
        if (geloescht < 0) {
            QVERIFY_THROWS_EXCEPTION(Laufzeitfehler, liste_.leere());
            QCOMPARE(inhalt(datei_), alt);
            return;
        }
        QCOMPARE(liste_.leere(), geloescht);
        QCOMPARE(QFileInfo::exists(datei_), art != QLatin1String("keine Datei"));
        if (QFileInfo::exists(datei_))
            QTEST(liesListe(oeffner_, datei_), "nachher");
    }

    // A row added to a table with a numbered key shows its key at once and can be changed afterwards.
    void neueZeileMitSchluessel() {
        schreibeListe(datei_, {"A=100"}, {});
        const auto rs = oeffner_.open(datei_)->openRecordset(QStringLiteral("Punkte"));
        rs->addNew();
        rs->update();
        rs->moveLast();
        QCOMPARE(rs->field("ID"), QVariant(qint64(2)));
        rs->edit();
        rs->update(); // writes the key back as it is
    }

    // The real dialog, rebuilt on every show; "&OK" hides it.
    void dialog() {
        schreibeListe(datei_, {"Anna=300", "Ben=200"}, {});
        platform::QtModalPresenter presenter;
        view::registriereMeisterDialog(presenter);
        MeisterFrm frm(presenter, liste_);
        QString gesehen;
        QTimer::singleShot(0, this, [&] {
            auto* d = qobject_cast<QDialog*>(QApplication::activeModalWidget());
            QVERIFY(d);
            gesehen = d->windowTitle() + u'|' + d->findChild<QLabel*>("NameLbl")->text();
            QTest::mouseClick(d->findChild<QPushButton*>(), Qt::LeftButton);
            if (d->isVisible()) // a failed click must not leave the test waiting in the dialog
                d->done(0);
        });
        frm.zeige();
        QCOMPARE(gesehen, "Meisterliste|Anna\nBen");
        QVERIFY(!frm.sichtbar);
    }
};

QTEST_MAIN(TstMeisterliste)
#include "tst_meisterliste.moc"
