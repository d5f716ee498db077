#pragma once

#include "board/spielbrett.h"
#include "platform/virtualeventloop.h"
#include "scoring/spielerliste.h"

#include <QStringList>
#include <functional>
#include <memory>
#include <utility>
#include <vector>

namespace findolin::test {

// A move environment that records what a move asks for and gives words from a fixed list, in turn.
class AufzeichnendeUmgebung : public ZugUmgebung {
public:
    explicit AufzeichnendeUmgebung(WortDatensatz& wort) : wort_(wort) {}

    void playSound(const QString& ereignis) override { sounds.append(ereignis); }
    void waehleWort() override {
        ++gewaehlteWorte;
        if (woerter.empty())
            return;
        const auto& [kontext, text] = woerter[static_cast<size_t>(naechstes++) % woerter.size()];
        wort_ = WortDatensatz{text, static_cast<qint16>(text.size()), kontext, 0, 0};
    }
    void risikoAnbieten(bool ein) override { risiko.append(ein); }
    void setzeRateZeitZurueck() override { ++rateZeitZurueck; }

    std::vector<std::pair<QString, QString>> woerter; // context and word
    int naechstes = 0;
    int gewaehlteWorte = 0;
    QStringList sounds;
    QList<bool> risiko;
    int rateZeitZurueck = 0;

private:
    WortDatensatz& wort_;
};

class ZaehlendeAnsicht : public platform::FormView {
public:
    void repaintNow() override {
        ++neuZeichnen;
        if (beimNeuZeichnen)
            beimNeuZeichnen();
    }
    int neuZeichnen = 0;
    std::function<void()> beimNeuZeichnen;
};

// Ten twips per character and point: enough for the moves, which only need some width.
class EinfacheMessung : public platform::TextMeasure {
public:
    double breiteTwips(const QString& text, const platform::Schrift& s) const override {
        return 10.0 * s.punkte * static_cast<double>(text.size()) / 2.0;
    }
    double zeilenhoeheTwips(const platform::Schrift& s) const override { return 20.0 * s.punkte; }
};

// A whole board with its players on the virtual event loop.
struct Brett {
    explicit Brett(quint32 seed, const QStringList& namen = {QStringLiteral("Anna"), QStringLiteral("Ben")})
        : zufall(seed), umgebung(wort) {
        kontext.nSpieler = static_cast<qint16>(namen.size());
        for (int i = 0; i < namen.size(); ++i)
            kontext.spielerName[static_cast<size_t>(i)] = namen[i];
        kontext.lupenFlag = -1;
        spieler = std::make_unique<Spielerliste>(kontext, einstellungen);
        brett = std::make_unique<Spielbrett>(wort, kontext, einstellungen, *spieler, umgebung,
                                             BrettDienste{loop, loop, loop, zufall, messung, ansicht},
                                             QStringLiteral("/omnor"));
        spieler->zeigeAktuellenSpieler();
    }

    // Deals `text` as the searched word.
    void legeWort(const QString& text, const QString& wortKontext = {}) {
        wort = WortDatensatz{text, static_cast<qint16>(text.size()), wortKontext, 0, 0};
        brett->anzeige.zeigeNeuesWort();
    }

    Spielfeld& feld() { return brett->feld; }
    Feldauswertung& zuege() { return brett->zuege; }

    // The fields holding `buchstabe`, lowest first.
    QList<qint16> felderMit(const QString& buchstabe) const {
        QList<qint16> treffer;
        for (qint16 i = 0; i < brettlayout::anzahlFelder; ++i)
            if (brett->feld.feld(i).buchstabe == buchstabe)
                treffer.append(i);
        return treffer;
    }
    qint16 feldMit(const QString& buchstabe) const {
        const auto treffer = felderMit(buchstabe);
        return treffer.isEmpty() ? qint16(-1) : treffer.first();
    }
    // A field with a letter that is not the one needed next.
    qint16 falschesFeld() const {
        for (qint16 i = 0; i < brettlayout::anzahlFelder; ++i) {
            const QString& b = brett->feld.feld(i).buchstabe;
            if (!b.isEmpty() && b != jokerZeichen && b != brett->feld.gesuchterBuchstabe())
                return i;
        }
        return -1;
    }
    // The joker's field; when the deal gave none, one is put on the last empty field.
    qint16 jokerFeld() {
        qint16 f = feldMit(jokerZeichen);
        if (f < 0) {
            f = felderMit(QString()).last();
            brett->feld.feld(f).buchstabe = jokerZeichen;
        }
        return f;
    }

    // A left click on field i, then the evaluation and its pause run through.
    void klicke(qint16 i) {
        loop.post([this, i] { brett->zuege.FldPic_MouseDown(i, linkeMaustaste); });
        loop.advance(3000);
    }
    void taste(int keyCode) {
        loop.post([this, keyCode] { brett->zuege.Form_KeyDown(keyCode); });
        loop.processPending();
    }
    qint32 punkte(int spielerNr) const { return kontext.spielerPunkte[static_cast<size_t>(spielerNr)]; }

    platform::VirtualEventLoop loop;
    platform::SeededRandom zufall;
    EinfacheMessung messung;
    ZaehlendeAnsicht ansicht;
    StartKontext kontext;
    Einstellungen einstellungen;
    WortDatensatz wort;
    AufzeichnendeUmgebung umgebung;
    std::unique_ptr<Spielerliste> spieler;
    std::unique_ptr<Spielbrett> brett;
};

} // namespace findolin::test
