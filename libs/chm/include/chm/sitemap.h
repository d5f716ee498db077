#pragma once

#include <QByteArray>
#include <QList>
#include <QString>
#include <functional>

namespace findolin::chm {

// One entry of the contents or the index: its title, the page it opens (empty for a mere heading, or when it
// points outside the help file) and the entries below it.
struct HilfeEintrag {
    QString titel;
    QString seite;
    QList<HilfeEintrag> kinder;
};

// Reads a sitemap, the HTML list the help compilers write for the contents (.hhc) and the index (.hhk):
// nested <UL> lists of <OBJECT type="text/sitemap"> with the parameters "Name" and "Local". `seite` turns a
// "Local" value into the page to store. Text in the Windows ANSI code page; anything that is not a sitemap
// yields fewer entries, never an error.
QList<HilfeEintrag> leseSitemap(const QByteArray& html, const std::function<QString(const QString&)>& seite);

} // namespace findolin::chm
