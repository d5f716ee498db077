#include "hilfetext.h"

#include "chm/hilfedatei.h"
#include "platform/cp1252.h"
#include "platform/laufzeitfehler.h"

#include <QRegularExpression>
#include <QTextDocumentFragment>

namespace findolin::chm {

QString alsHtml(const QByteArray& bytes) {
    static const QRegularExpression zeichensatz(QStringLiteral("<meta[^>]*charset\\s*=\\s*[\"']?\\s*utf-?8"),
                                                QRegularExpression::CaseInsensitiveOption);
    if (bytes.startsWith("\xEF\xBB\xBF"))
        return QString::fromUtf8(bytes.mid(3));
    const QString kopf = QString::fromLatin1(bytes.left(2048));
    return zeichensatz.match(kopf).hasMatch() ? QString::fromUtf8(bytes) : ausWindows1252(bytes);
}

QString seitenTitel(const QString& html) {
    static const QRegularExpression titel(QStringLiteral("<title[^>]*>(.*)</title>"),
                                          QRegularExpression::CaseInsensitiveOption |
                                              QRegularExpression::DotMatchesEverythingOption |
                                              QRegularExpression::InvertedGreedinessOption);
    static const QRegularExpression ueberschrift(QStringLiteral("<h[1-6][^>]*>(.*)</h[1-6]>"),
                                                 QRegularExpression::CaseInsensitiveOption |
                                                     QRegularExpression::DotMatchesEverythingOption |
                                                     QRegularExpression::InvertedGreedinessOption);
    for (const auto* ausdruck : {&titel, &ueberschrift}) {
        const QString t =
            QTextDocumentFragment::fromHtml(ausdruck->match(html).captured(1)).toPlainText().simplified();
        if (!t.isEmpty())
            return t;
    }
    return {};
}

QList<HilfeText> leseTexte(const HilfeDatei& hilfe) {
    static const QRegularExpression seite(QStringLiteral("^/[^#$].*\\.html?$"),
                                          QRegularExpression::CaseInsensitiveOption);
    static const QRegularExpression unsichtbar(QStringLiteral("<(script|style|head)\\b.*</\\1\\s*>"),
                                               QRegularExpression::CaseInsensitiveOption |
                                                   QRegularExpression::DotMatchesEverythingOption |
                                                   QRegularExpression::InvertedGreedinessOption);
    QList<HilfeText> texte;
    for (const auto& d : hilfe.dateien()) {
        if (!seite.match(d).hasMatch())
            continue;
        try {
            const QString html = alsHtml(hilfe.lese(d));
            QString ohneKopf = html;
            ohneKopf.remove(unsichtbar);
            const QString titel = seitenTitel(html);
            texte.append({d, titel.isEmpty() ? d.mid(1) : titel,
                          QTextDocumentFragment::fromHtml(ohneKopf).toPlainText()});
        } catch (const Laufzeitfehler&) {
            // A page that cannot be read is not found either.
        }
    }
    return texte;
}

QList<HilfeText> finde(const QList<HilfeText>& texte, const QString& suche) {
    const QStringList woerter = suche.split(QRegularExpression(QStringLiteral("\\s+")), Qt::SkipEmptyParts);
    QList<HilfeText> treffer;
    if (woerter.isEmpty())
        return treffer;
    for (const auto& t : texte) {
        if (std::all_of(woerter.begin(), woerter.end(),
                        [&t](const QString& w) { return t.text.contains(w, Qt::CaseInsensitive); }))
            treffer.append(t);
    }
    return treffer;
}

} // namespace findolin::chm
