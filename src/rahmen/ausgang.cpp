#include "ausgang.h"

namespace findolin::rahmen {

std::optional<QString> laufzeitfehlerIn(const QString& fehlerausgabe) {
    const QString marke = QString::fromLatin1(laufzeitfehlerMarke);
    qsizetype p = fehlerausgabe.lastIndexOf(u'\n' + marke);
    p = p >= 0 ? p + 1 : (fehlerausgabe.startsWith(marke) ? 0 : -1);
    if (p < 0)
        return std::nullopt;
    return fehlerausgabe.mid(p + marke.size()).trimmed();
}

} // namespace findolin::rahmen
