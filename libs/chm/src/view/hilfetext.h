#pragma once

#include <QByteArray>
#include <QList>
#include <QString>

namespace findolin::chm {

class HilfeDatei;

// The text of a help page for the full-text search: where it is, what it is called and what it says.
struct HilfeText {
    QString seite;
    QString titel;
    QString text;
};

// A page's bytes as text: in the character set its <meta> names, else in the Windows ANSI code page.
QString alsHtml(const QByteArray& bytes);
// A page's title: its <title>, else its first heading, else empty.
QString seitenTitel(const QString& html);
// Every .htm/.html page of the file with its title and its plain text, tags stripped; pages that cannot be
// read are left out.
QList<HilfeText> leseTexte(const HilfeDatei& hilfe);
// The pages holding every word of `suche`, ignoring case; none for an empty search.
QList<HilfeText> finde(const QList<HilfeText>& texte, const QString& suche);

} // namespace findolin::chm
