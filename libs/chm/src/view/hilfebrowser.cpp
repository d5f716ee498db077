#include "hilfebrowser.h"

#include "chm/hilfedatei.h"
#include "hilfetext.h"
#include "logging.h"
#include "platform/laufzeitfehler.h"

#include <QFileInfo>

namespace findolin::chm {

namespace {

const QString schemaSeite = QStringLiteral("chm");
const QString schemaVerweigert = QStringLiteral("verweigert");

} // namespace

QString meldungsSeite(const QString& ueberschrift, const QStringList& absaetze) {
    QString html =
        QStringLiteral("<html><body><h2>") + ueberschrift.toHtmlEscaped() + QStringLiteral("</h2>");
    for (const auto& a : absaetze)
        html += QStringLiteral("<p>") + a.toHtmlEscaped() + QStringLiteral("</p>");
    return html + QStringLiteral("</body></html>");
}

HilfeBrowser::HilfeBrowser(Extern nachAussen, QWidget* parent)
    : QTextBrowser(parent), extern_(std::move(nachAussen)) {
    setOpenLinks(false);
    connect(this, &QTextBrowser::anchorClicked, this, &HilfeBrowser::folge);
}

QUrl HilfeBrowser::alsUrl(const QString& seite) {
    QUrl url;
    url.setScheme(schemaSeite);
    url.setPath(seite);
    return url;
}

QString HilfeBrowser::seite() const {
    return source().scheme() == schemaSeite ? source().path(QUrl::FullyDecoded) : QString();
}

// A link naming this very file ("Findolin.chm::/a.htm") stays inside; the page it opens, or an empty URL.
QUrl HilfeBrowser::innerhalb(const QUrl& url) const {
    if (url.scheme() == schemaSeite)
        return url;
    const QString verweis = url.toString();
    const qsizetype trenner = verweis.indexOf(QLatin1String("::"));
    if (!hilfe_ || trenner < 0 ||
        !verweis.left(trenner).endsWith(QFileInfo(hilfe_->datei()).fileName(), Qt::CaseInsensitive))
        return {};
    const QString seite = HilfeDatei::seitenPfad(verweis);
    if (seite.isEmpty())
        return {};
    QUrl ziel = alsUrl(seite);
    ziel.setFragment(url.fragment());
    return ziel;
}

void HilfeBrowser::folge(const QUrl& url) {
    const QString schema = url.scheme().toLower();
    if (schema == QLatin1String("http") || schema == QLatin1String("https") ||
        schema == QLatin1String("mailto")) {
        qCDebug(lcHilfe) << "help page" << seite() << "opens" << url.toString() << "outside";
        if (extern_)
            extern_(url);
        return;
    }
    if (const QUrl ziel = innerhalb(url); !ziel.isEmpty()) {
        setSource(ziel);
        return;
    }
    qCDebug(lcHilfe) << "help page" << seite() << "refuses the link" << url.toString();
    QUrl verweigert;
    verweigert.setScheme(schemaVerweigert);
    verweigert.setPath(url.toString());
    setSource(verweigert);
}

QVariant HilfeBrowser::loadResource(int type, const QUrl& name) {
    const QUrl url = name.isRelative() ? source().resolved(name) : name;
    if (url.scheme() == schemaVerweigert)
        return meldungsSeite(QStringLiteral("Verweis nicht geöffnet"),
                             {QStringLiteral("Der Verweis „%1“ führt aus der Hilfedatei hinaus und wird hier "
                                             "nicht geöffnet.")
                                  .arg(url.path(QUrl::FullyDecoded))});
    if (url.scheme() != schemaSeite || !hilfe_)
        return {};
    const QString seite = url.path(QUrl::FullyDecoded);
    try {
        const QByteArray bytes = hilfe_->lese(seite);
        if (type == QTextDocument::HtmlResource)
            return alsHtml(bytes);
        if (type == QTextDocument::StyleSheetResource)
            return QString::fromUtf8(bytes);
        return bytes;
    } catch (const Laufzeitfehler& f) {
        qCDebug(lcHilfe) << "help file" << hilfe_->datei() << "cannot give" << seite << ":" << f.problem();
        if (type != QTextDocument::HtmlResource)
            return {};
        return meldungsSeite(QStringLiteral("Seite nicht gefunden"),
                             {QStringLiteral("Die Seite „%1“ ist nicht in der Hilfedatei.").arg(seite)});
    }
}

} // namespace findolin::chm
