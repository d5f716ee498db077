#include "chm/hilfedatei.h"

#include "chmbehaelter.h"
#include "hilfesystem.h"
#include "logging.h"
#include "platform/laufzeitfehler.h"

#include <QRegularExpression>
#include <QUrl>

namespace findolin::chm {

namespace {

QString ersteSeite(const QList<HilfeEintrag>& eintraege) {
    for (const auto& e : eintraege) {
        if (!e.seite.isEmpty())
            return e.seite;
        if (const QString tiefer = ersteSeite(e.kinder); !tiefer.isEmpty())
            return tiefer;
    }
    return {};
}

QString mitEndung(const QStringList& dateien, const QString& endung) {
    for (const auto& d : dateien)
        if (d.endsWith(endung, Qt::CaseInsensitive) && !d.startsWith(QLatin1String("::")))
            return d;
    return {};
}

} // namespace

HilfeDatei::HilfeDatei(const QString& datei) : datei_(datei) {
    try {
        chm_ = std::make_unique<ChmBehaelter>(datei_);
        const HilfeSystemDaten system = leseSystemDaten(*chm_);
        titel_ = system.titel;
        const QMap<qint32, QString> kontexte = leseKontexte(*chm_);
        for (auto it = kontexte.cbegin(); it != kontexte.cend(); ++it)
            if (const QString s = seite(it.value()); !s.isEmpty())
                kontexte_.insert(it.key(), s);
        leseSitemaps(system.inhaltsDatei, system.stichwortDateien);
        standardThema_ = seite(system.standardThema);
        if (standardThema_.isEmpty())
            standardThema_ = ersteSeite(inhalt_);
        if (standardThema_.isEmpty())
            standardThema_ = seite(QStringLiteral("/index.htm"));
        if (standardThema_.isEmpty())
            standardThema_ = seite(QStringLiteral("/index.html"));
    } catch (const Laufzeitfehler& f) {
        qCDebug(lcHilfe).noquote() << "help file refused:" << datei_ << "-"
                                   << QString::fromStdString(f.what());
        throw;
    }
    qCDebug(lcHilfe).noquote() << "help file opened:" << datei_ << "title" << titel_ << "default topic"
                               << standardThema_ << "context ids" << kontexte_.size() << "contents entries"
                               << inhalt_.size();
}

HilfeDatei::~HilfeDatei() = default;

QStringList HilfeDatei::dateien() const {
    QStringList liste;
    for (const auto& e : chm_->verzeichnis().eintraege())
        liste.append(QString::fromUtf8(e.pfad));
    return liste;
}

QString HilfeDatei::seitenPfad(const QString& verweis) {
    QString v = verweis.trimmed();
    if (const qsizetype trenner = v.indexOf(QLatin1String("::")); trenner >= 0)
        v = v.mid(trenner + 2);
    static const QRegularExpression schema(QStringLiteral("^[A-Za-z][A-Za-z0-9+.-]*:"));
    if (schema.match(v).hasMatch() || v.startsWith(QLatin1String("//")) ||
        v.startsWith(QLatin1String("\\\\")))
        return {};
    v = v.left(v.indexOf(QLatin1Char('#'))).left(v.indexOf(QLatin1Char('?')));
    v = QUrl::fromPercentEncoding(v.toUtf8()).replace(QLatin1Char('\\'), QLatin1Char('/'));
    QStringList teile;
    for (const auto& teil : v.split(QLatin1Char('/'), Qt::SkipEmptyParts)) {
        if (teil == QLatin1String(".."))
            return {};
        if (teil != QLatin1String("."))
            teile.append(teil);
    }
    return teile.isEmpty() ? QString() : QLatin1Char('/') + teile.join(QLatin1Char('/'));
}

// Names stored as they are ("/#SYSTEM", "::DataSpace/...") are taken as they are, unless they climb up.
const ChmEintrag* HilfeDatei::gespeichert(const QString& verweis) const {
    if (verweis.split(QLatin1Char('/')).contains(QLatin1String("..")))
        return nullptr;
    return chm_->verzeichnis().finde(verweis.toUtf8());
}

QString HilfeDatei::seite(const QString& verweis) const {
    if (const ChmEintrag* e = gespeichert(verweis))
        return QString::fromUtf8(e->pfad);
    const QString pfad = seitenPfad(verweis);
    if (pfad.isEmpty())
        return {};
    const ChmEintrag* e = chm_->verzeichnis().finde(pfad.toUtf8());
    return e ? QString::fromUtf8(e->pfad) : QString();
}

QByteArray HilfeDatei::lese(const QString& verweis) const {
    const ChmEintrag* e = gespeichert(verweis);
    const QString pfad = e ? QString::fromUtf8(e->pfad) : seitenPfad(verweis);
    if (pfad.isEmpty()) {
        qCDebug(lcHilfe) << "help file" << datei_ << "refuses the link" << verweis;
        throw Laufzeitfehler(QStringLiteral("Der Verweis führt aus der Hilfedatei hinaus: ") + verweis,
                             datei_);
    }
    auto daten = chm_->lese(pfad.toUtf8());
    if (!daten)
        throw Laufzeitfehler(QStringLiteral("Die Hilfedatei enthält die Seite nicht: ") + pfad, datei_);
    return *daten;
}

void HilfeDatei::leseSitemaps(const QString& inhaltsDatei, QStringList stichwortDateien) {
    const QStringList alle = dateien();
    QString inhalt = seite(inhaltsDatei);
    if (inhalt.isEmpty())
        inhalt = mitEndung(alle, QStringLiteral(".hhc"));
    if (stichwortDateien.isEmpty())
        stichwortDateien.append(mitEndung(alle, QStringLiteral(".hhk")));
    const auto zurSeite = [this](const QString& verweis) { return seite(verweis); };
    if (!inhalt.isEmpty())
        inhalt_ = leseSitemap(lese(inhalt), zurSeite);
    for (const auto& datei : stichwortDateien)
        if (const QString s = seite(datei); !s.isEmpty())
            stichwoerter_ += leseSitemap(lese(s), zurSeite);
}

} // namespace findolin::chm
