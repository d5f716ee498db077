#include "meldungsfenster.h"

#include "lesehilfen.h"

#include <QScopeGuard>
#include <QStringList>
#include <algorithm>

namespace findolin {

QString ohneZugriffstaste(const QString& caption) {
    QString ohne = caption;
    return ohne.remove(QLatin1Char('&'));
}

MldFenster::MldFenster(platform::ModalPresenter& presenter, const platform::TextMeasure& masse)
    : presenter_(presenter), masse_(masse) {}

QString MldFenster::zeigeMeldung(const QString& text, const QString& knopf1, const QString& knopf2,
                                 const QString& titel_) {
    if (offen_) // this window waits for its own answer: the new message gets a window on top, while shown
        return MldFenster(presenter_, masse_).zeigeMeldung(text, knopf1, knopf2, titel_);
    titel = titel_;
    meldung = text;

    // The label sizes itself: as wide as its longest line, as high as all its lines.
    const QStringList zeilen = text.split(QChar(13));
    double breitesteZeile = 0;
    for (const QString& zeile : zeilen)
        breitesteZeile = std::max(breitesteZeile, masse_.breiteTwips(zeile, schrift));
    meldungLabel.width = breitesteZeile;
    meldungLabel.height = masse_.zeilenhoeheTwips(schrift) * zeilen.size();

    mldFrame.width = rundeGerade(meldungLabel.left + meldungLabel.width) + 200;
    breite = mldFrame.left + mldFrame.width + 200;
    mldFrame.height = rundeGerade(meldungLabel.top + meldungLabel.height) + 100;
    const double y = rundeGerade(mldFrame.top + mldFrame.height);

    for (auto [knopf, caption] : {std::pair{&btn1, &knopf1}, std::pair{&btn2, &knopf2}}) {
        knopf->visible = !caption->isEmpty();
        if (knopf->visible) {
            knopf->caption = *caption;
            knopf->rahmen.top = y + 100;
        }
    }
    if (btn1.visible != btn2.visible) {
        btn1.rahmen.left = (breite - btn1.rahmen.width) / 2;
    } else {
        btn1.rahmen.left = 120;
        btn2.rahmen.left = mldFrame.left + mldFrame.width - btn2.rahmen.width;
    }
    hoehe = btn1.rahmen.top + btn1.rahmen.height + 500;

    offen_ = true;
    const auto geschlossen = qScopeGuard([this] { offen_ = false; });
    presenter_.showModal(*this);
    return antwort_;
}

void MldFenster::druecke(int knopfNummer) {
    Knopf& knopf = knopfNummer == 1 ? btn1 : btn2;
    if (!knopf.visible)
        return;
    antwort_ = ohneZugriffstaste(knopf.caption);
    knopf.visible = false;
}

void MldFenster::pressButton(const QString& caption) {
    const QString gesucht = ohneZugriffstaste(caption);
    if (gesucht.isEmpty() || (btn1.visible && ohneZugriffstaste(btn1.caption) == gesucht))
        druecke(1); // no answer given presses the default button
    else if (btn2.visible && ohneZugriffstaste(btn2.caption) == gesucht)
        druecke(2);
}

QString EndeFrm::frageBeenden(qint16 nSpieler, qint16 einstGegenComputer) {
    int n = nSpieler;
    if (einstGegenComputer == 1)
        --n;
    meldung = n < 2 ? QStringLiteral("Bist du wirklich sicher, dass du Findolin beenden willst?")
                    : QStringLiteral("Seid ihr wirklich sicher, dass ihr Findolin beenden wollt?");
    presenter_.showModal(*this);
    return antwort_;
}

void EndeFrm::pressButton(const QString& caption) {
    const QString gesucht = ohneZugriffstaste(caption);
    antwort_ = gesucht == QLatin1String("nein") ? QStringLiteral("nein") : QStringLiteral("ja");
}

} // namespace findolin
