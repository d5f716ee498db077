#include "chm/chmschreiber.h"

namespace findolin::chm {

namespace {

// Names and values in the sitemap: Windows-1252 text, with entities for markup and for what it cannot hold.
QByteArray alsAttribut(const QString& text) {
    QByteArray ergebnis;
    for (const QChar zeichen : text) {
        const char16_t code = zeichen.unicode();
        if (code == u'&')
            ergebnis += "&amp;";
        else if (code == u'<')
            ergebnis += "&lt;";
        else if (code == u'>')
            ergebnis += "&gt;";
        else if (code == u'"')
            ergebnis += "&quot;";
        else if (code > 0xff)
            ergebnis += "&#" + QByteArray::number(code) + ';';
        else
            ergebnis += char(code);
    }
    return ergebnis;
}

} // namespace

QByteArray sitemap(const QList<InhaltsEintrag>& eintraege) {
    QByteArray text = "<!DOCTYPE HTML PUBLIC \"-//IETF//DTD HTML//EN\">\r\n<HTML>\r\n<HEAD>\r\n"
                      "<meta http-equiv=\"Content-Type\" content=\"text/html; charset=Windows-1252\">\r\n"
                      "</HEAD>\r\n<BODY>\r\n<OBJECT type=\"text/site properties\">\r\n"
                      "\t<param name=\"ImageType\" value=\"Folder\">\r\n</OBJECT>\r\n<UL>\r\n";
    int ebene = 0;
    for (const InhaltsEintrag& eintrag : eintraege) {
        for (; ebene < eintrag.ebene; ++ebene)
            text += QByteArray(ebene + 1, '\t') + "<UL>\r\n";
        for (; ebene > eintrag.ebene; --ebene)
            text += QByteArray(ebene, '\t') + "</UL>\r\n";
        const QByteArray einzug(ebene + 1, '\t');
        text += einzug + "<LI> <OBJECT type=\"text/sitemap\">\r\n";
        text += einzug + "\t<param name=\"Name\" value=\"" + alsAttribut(eintrag.name) + "\">\r\n";
        text += einzug + "\t<param name=\"Local\" value=\"" + alsAttribut(eintrag.seite) + "\">\r\n";
        text += einzug + "\t</OBJECT>\r\n";
    }
    for (; ebene > 0; --ebene)
        text += QByteArray(ebene, '\t') + "</UL>\r\n";
    return text + "</UL>\r\n</BODY>\r\n</HTML>\r\n";
}

} // namespace findolin::chm
