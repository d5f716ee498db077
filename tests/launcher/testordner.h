#pragma once

// Framework folders for the launcher's tests, beside the demo folder the build makes.
#include "platform/cp1252.h"
#include "testdata.h"
#include <accessdb/dateioeffner.h>

#include <QDir>
#include <QFile>
#include <QTest>

inline void kopiere(const QString& von, const QString& nach) {
    QDir().mkpath(QFileInfo(nach).path());
    QFile::remove(nach);
    QVERIFY2(QFile::copy(von, nach), qPrintable(von));
}

// A school's framework folder from Windows: the framework's list of foci (ie, ck, then a group with LIP_ and
// tz) and Access database, names in other case, the demo's pictures, of which none is for ie.
inline void legeSchuleAn(const QString& o, const QString& demo) {
    kopiere(testdataFile("framework/Omnor.ini"), o + "/OMNOR.INI");
    kopiere(testdataFile("framework/Omnor.tsp"), o + "/Omnor.tsp");
    kopiere(testdataFile("access/Omnor-D.mdb"), o + "/omnor-d.mdb");
    for (const QString& bild : QDir(demo + "/Grafik").entryList(QDir::Files))
        kopiere(demo + "/Grafik/" + bild, o + "/grafik/" + bild.toLower());
}

// A sparse folder: an SQLite database without basic vocabulary and magnifier spots, a focus without its
// column.
inline void legeKargenOrdnerAn(const QString& o, const QString& demo) {
    kopiere(demo + "/Omnor.ini", o + "/Omnor.ini");
    kopiere(demo + "/Grafik/BST_CK_.GIF", o + "/Grafik/BST_XY_.GIF");
    QFile tsp(o + "/Omnor.tsp");
    QVERIFY(tsp.open(QIODevice::WriteOnly));
    tsp.write(findolin::nachWindows1252("Wörter mit xy,XY__\r\nGibt es nicht,NN__\r\n"));
    tsp.close();
    const auto db = findolin::accessdb::DateiOeffner().create(
        o + "/Omnor-D.mdb",
        {"CREATE TABLE WortListe (RefNr INTEGER, Wort TEXT, Kontext TEXT, XY__ BOOLEAN)"});
    const auto rs = db->openRecordset("WortListe");
    for (const auto& [nr, wort] : QList<std::pair<int, QString>>{{1, "Taxi"}, {2, "Yak"}, {3, "Nest"}}) {
        rs->addNew();
        rs->setField("RefNr", nr);
        rs->setField("Wort", wort);
        rs->setField("XY__", nr < 3);
        rs->update();
    }
}
