#include "infodialoge.h"

#include "info/infodialoge.h"
#include "platform/qt/bilddatei.h"
#include "platform/qt/namenslabel.h"
#include "platform/qt/rahmenwidget.h"
#include "platform/qt/twips.h"

#include <QDialog>
#include <QLabel>
#include <QPixmap>
#include <QPushButton>

namespace findolin::view {
namespace {

namespace tw = platform::twips;

const platform::Schrift schrift{QStringLiteral("MS Sans Serif"), 8.25, true};

QLabel* label(QWidget* eltern, const QString& text, double l, double t, double w, double h,
              Qt::Alignment ausrichtung = Qt::AlignLeft | Qt::AlignTop) {
    auto* lbl = new QLabel(text, eltern);
    lbl->setFont(tw::schrift(schrift));
    lbl->setGeometry(tw::rechteck(l, t, w, h));
    lbl->setAlignment(ausrichtung);
    return lbl;
}

QWidget* rahmen(QWidget* eltern, const QString& titel, double l, double t, double w, double h) {
    return platform::rahmen(eltern, titel, schrift, l, t, w, h);
}

// A fixed-size dialog whose "&OK" hides it, as Enter and Esc do.
QDialog* dialog(QWidget* parent, const QString& titel, double w, double h, double okLeft, double okTop) {
    auto* d = new QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                                      Qt::WindowCloseButtonHint);
    d->setWindowTitle(titel);
    d->setFixedSize(tw::groesse(w, h));
    auto* ok = new QPushButton(QStringLiteral("&OK"), d);
    ok->setObjectName(QStringLiteral("okBtn"));
    ok->setFont(tw::schrift(schrift));
    ok->setGeometry(tw::rechteck(okLeft, okTop, 1215, 405));
    ok->setDefault(true);
    QObject::connect(ok, &QPushButton::clicked, d, &QDialog::accept);
    return d;
}

QDialog* dateiInfoDialog(QWidget* parent) {
    QDialog* d = dialog(parent, DateiInfoFrm::caption, 4200, 3720, 1500, 3180);
    QWidget* spielstand = rahmen(d, QStringLiteral("Spielstand"), 120, 90, 3960, 2040);
    for (int i = 0; i < maxSpieler; ++i) {
        auto* name = new platform::NamensLabel(spielstand, tw::schrift(schrift));
        name->setGeometry(tw::rechteck(240, 300 + 330 * i, 2400, 285));
        name->setAlignment(Qt::AlignLeft | Qt::AlignTop);
        name->setObjectName(QStringLiteral("SpName%1").arg(i));
        label(spielstand, {}, 2760, 300 + 330 * i, 1080, 285, Qt::AlignRight | Qt::AlignTop)
            ->setObjectName(QStringLiteral("SpPunkte%1").arg(i));
    }
    QWidget* wortschatz = rahmen(d, QStringLiteral("Wortschatz"), 120, 2220, 3960, 855);
    label(wortschatz, QStringLiteral("Wortanzahl"), 240, 270, 2400, 285);
    label(wortschatz, QStringLiteral("Grundwortschatz"), 240, 540, 2400, 285);
    for (int i = 0; i < 2; ++i)
        label(wortschatz, {}, 2760, 270 + 270 * i, 1080, 285, Qt::AlignRight | Qt::AlignTop)
            ->setObjectName(QStringLiteral("DatInfLbl%1").arg(i));
    return d;
}

void zeigeDateiInfo(QDialog* d, const DateiInfoFrm& f) {
    for (int i = 0; i < maxSpieler; ++i) {
        const DateiInfoFrm::Zeile& z = f.spieler[static_cast<size_t>(i)];
        auto* name = d->findChild<platform::NamensLabel*>(QStringLiteral("SpName%1").arg(i));
        name->setzeName(z.spName);
        name->setVisible(z.sichtbar);
        QLabel* punkte = d->findChild<QLabel*>(QStringLiteral("SpPunkte%1").arg(i));
        punkte->setText(z.spPunkte);
        punkte->setVisible(z.sichtbar);
    }
    for (int i = 0; i < 2; ++i)
        d->findChild<QLabel*>(QStringLiteral("DatInfLbl%1").arg(i))
            ->setText(f.datInfLbl[static_cast<size_t>(i)]);
}

// The publisher's own texts beside "Version:".
QDialog* infoDialog(QWidget* parent, const QString& logoPfad) {
    QDialog* d = dialog(parent, InfoFrm::caption, 5700, 3900, 2250, 3330);
    QWidget* findolin = rahmen(d, QStringLiteral("Findolin"), 120, 90, 5460, 3120);
    auto* logo = new QLabel(findolin);
    logo->setObjectName(QStringLiteral("Image1"));
    logo->setPixmap(platform::ladePixmap(logoPfad));
    logo->setScaledContents(true);
    logo->setGeometry(tw::rechteck(240, 330, 960, 960));
    const std::pair<QString, QString> zeilen[] = {
        {QStringLiteral("Version:"), InfoFrm::relLbl()},
        {QStringLiteral("Autor:"), QStringLiteral("Die Findolin-Werkstatt")},
        {QStringLiteral("Anschrift:"), QStringLiteral("Buchstabenweg 5\n12345 Lesestadt")},
        {QStringLiteral("Internet:"), QStringLiteral("www.findolin.example")},
        {QStringLiteral("Rechte:"), QStringLiteral("© 2026 Die Findolin-Werkstatt")}};
    double top = 330;
    for (const auto& [links, rechts] : zeilen) {
        const double hoehe = rechts.contains('\n') ? 480 : 255;
        label(findolin, links, 1380, top, 1020, hoehe);
        QLabel* wert = label(findolin, rechts, 2460, top, 2940, hoehe);
        if (links == QLatin1String("Version:"))
            wert->setObjectName(QStringLiteral("RelLbl"));
        top += hoehe + 120;
    }
    label(findolin, QStringLiteral("Ein Lernspiel für das OMNOR-Rahmenprogramm"), 240, 2640, 4980, 255,
          Qt::AlignHCenter | Qt::AlignTop);
    return d;
}

} // namespace

void registriereInfoDialoge(platform::QtModalPresenter& presenter, const QString& logoPfad) {
    presenter.registerView(
        DateiInfoFrm::name,
        {[](platform::ModalForm&, QWidget* parent) { return dateiInfoDialog(parent); },
         [](QDialog* d, platform::ModalForm& form) { zeigeDateiInfo(d, static_cast<DateiInfoFrm&>(form)); }});
    presenter.registerView(InfoFrm::name, {[logoPfad](platform::ModalForm&, QWidget* parent) {
                                               return infoDialog(parent, logoPfad);
                                           },
                                           [](QDialog*, platform::ModalForm&) {}});
}

} // namespace findolin::view
