#include "infodialoge.h"

#include "platform/laufzeitfehler.h"

namespace findolin {

DateiInfoFrm::DateiInfoFrm(platform::ModalPresenter& presenter) : presenter_(presenter) {
    for (size_t i = 0; i < spieler.size(); ++i)
        spieler[i].spName = QStringLiteral("Spieler%1").arg(i + 1);
}

DateiInfoFrm::Zeile& DateiInfoFrm::zeile(qint16 i) {
    if (i < 0 || i >= maxSpieler)
        throw Laufzeitfehler(QStringLiteral("Diesen Spieler gibt es nicht"), QString::number(i));
    return spieler[static_cast<size_t>(i)];
}

void DateiInfoFrm::zeigeSpieler(qint16 i, const QString& spielerName) {
    Zeile& z = zeile(i);
    z.spName = spielerName;
    z.spPunkte = QStringLiteral("0");
    z.sichtbar = true;
}

void DateiInfoFrm::versteckeSpieler(qint16 i) {
    zeile(i).sichtbar = false;
}

void DateiInfoFrm::mnuDateiInfo_Click(const StartKontext& kontext, const std::array<QString, 2>& wortschatz) {
    for (qint16 i = 0; i < kontext.nSpieler; ++i)
        zeile(i).spPunkte = QString::number(kontext.spielerPunkte[static_cast<size_t>(i)]);
    datInfLbl = wortschatz;
    presenter_.showModal(*this);
}

QString InfoFrm::relLbl() {
    return QStringLiteral("4.%1.%2").arg(FINDOLIN_VERSION_MINOR).arg(FINDOLIN_VERSION_PATCH);
}

} // namespace findolin
