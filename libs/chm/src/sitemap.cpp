#include "chm/sitemap.h"

#include "platform/cp1252.h"

#include <QRegularExpression>

#include <array>
#include <optional>

namespace findolin::chm {

namespace {

constexpr int tiefsteEbene = 64;

QString ohneEntitaeten(QString text) {
    static const QRegularExpression entitaet(QStringLiteral("&(#x[0-9A-Fa-f]{1,6}|#[0-9]{1,7}|[A-Za-z]+);"));
    QString aus;
    qsizetype bis = 0;
    for (auto it = entitaet.globalMatch(text); it.hasNext();) {
        const auto m = it.next();
        const QString name = m.captured(1);
        QString ersatz = m.captured(0);
        if (name.startsWith(QLatin1String("#x")) || name.startsWith(QLatin1String("#X")))
            ersatz = QString::fromUcs4(
                std::array<char32_t, 1>{char32_t(name.mid(2).toUInt(nullptr, 16))}.data(), 1);
        else if (name.startsWith(QLatin1Char('#')))
            ersatz = QString::fromUcs4(std::array<char32_t, 1>{char32_t(name.mid(1).toUInt())}.data(), 1);
        else if (name == QLatin1String("amp"))
            ersatz = QStringLiteral("&");
        else if (name == QLatin1String("lt"))
            ersatz = QStringLiteral("<");
        else if (name == QLatin1String("gt"))
            ersatz = QStringLiteral(">");
        else if (name == QLatin1String("quot"))
            ersatz = QStringLiteral("\"");
        aus += text.mid(bis, m.capturedStart() - bis) + ersatz;
        bis = m.capturedEnd();
    }
    return aus + text.mid(bis);
}

QString attribut(const QString& attribute, const QString& name) {
    static const QRegularExpression paar(
        QStringLiteral("([A-Za-z_:-]+)\\s*=\\s*(?:\"([^\"]*)\"|'([^']*)'|([^\\s>]+))"));
    for (auto it = paar.globalMatch(attribute); it.hasNext();) {
        const auto m = it.next();
        if (m.captured(1).compare(name, Qt::CaseInsensitive) == 0)
            return ohneEntitaeten(m.captured(2) + m.captured(3) + m.captured(4));
    }
    return {};
}

} // namespace

QList<HilfeEintrag> leseSitemap(const QByteArray& html, const std::function<QString(const QString&)>& seite) {
    static const QRegularExpression marke(QStringLiteral("<\\s*(/?)\\s*([A-Za-z]+)([^>]*)>"));
    QList<HilfeEintrag> wurzel;
    QList<QList<HilfeEintrag>*> ebenen{&wurzel};
    QList<bool>
        offeneListen; // per open <UL>: whether it went one level down (not for a list without an entry)
    std::optional<HilfeEintrag> offen;
    bool hatSeite = false;
    const QString text = ausWindows1252(html);
    for (auto it = marke.globalMatch(text); it.hasNext();) {
        const auto m = it.next();
        const bool schliesst = !m.captured(1).isEmpty();
        const QString tag = m.captured(2).toLower();
        if (tag == QLatin1String("ul") && !schliesst) {
            auto* aktuell = ebenen.last();
            const bool tiefer = !aktuell->isEmpty() && ebenen.size() < tiefsteEbene;
            if (tiefer)
                ebenen.append(&aktuell->last().kinder);
            offeneListen.append(tiefer);
        } else if (tag == QLatin1String("ul")) {
            if (!offeneListen.isEmpty() && offeneListen.takeLast())
                ebenen.removeLast();
        } else if (tag == QLatin1String("object") && !schliesst) {
            if (attribut(m.captured(3), QStringLiteral("type"))
                    .compare(QLatin1String("text/sitemap"), Qt::CaseInsensitive) == 0) {
                offen = HilfeEintrag{};
                hatSeite = false;
            }
        } else if (tag == QLatin1String("param") && offen) {
            const QString name = attribut(m.captured(3), QStringLiteral("name"));
            const QString wert = attribut(m.captured(3), QStringLiteral("value"));
            if (name.compare(QLatin1String("Name"), Qt::CaseInsensitive) == 0 && offen->titel.isEmpty())
                offen->titel = wert;
            else if (name.compare(QLatin1String("Local"), Qt::CaseInsensitive) == 0 && !hatSeite) {
                offen->seite = seite(wert);
                hatSeite = true;
            }
        } else if (tag == QLatin1String("object") && offen) {
            ebenen.last()->append(*offen);
            offen.reset();
        }
    }
    return wurzel;
}

} // namespace findolin::chm
