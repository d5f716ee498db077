#pragma once

#include "chm/sitemap.h"

#include <QByteArray>
#include <QMap>
#include <QString>
#include <QStringList>
#include <memory>

namespace findolin::chm {

class ChmBehaelter;
struct ChmEintrag;

// A compiled HTML help file (.chm), read for the help viewer. Pages are named by their path inside the file,
// "/Name.htm", spelt as stored. Opening reads the directory, the system data, the context ids, the contents
// and the index; a file that cannot be opened or does not hold together throws a Laufzeitfehler that names
// it.
class HilfeDatei {
public:
    explicit HilfeDatei(const QString& datei);
    ~HilfeDatei();
    HilfeDatei(const HilfeDatei&) = delete;
    HilfeDatei& operator=(const HilfeDatei&) = delete;

    const QString& datei() const { return datei_; }
    // Every stored file, the help compiler's own ("/#SYSTEM", "::DataSpace/...") included.
    QStringList dateien() const;

    // A link as pages and sitemaps write it ("Bilder/a%20b.htm#teil", "x.chm::/a.htm") as the path inside the
    // file it points to ("/Bilder/a b.htm"); empty when it leaves the file: a URL or drive ("http:", "C:"),
    // or a ".." step.
    static QString seitenPfad(const QString& verweis);
    // The stored page a link opens, spelt as stored; empty when it leaves the file or the file lacks it.
    QString seite(const QString& verweis) const;
    bool enthaelt(const QString& verweis) const { return !seite(verweis).isEmpty(); }
    // The bytes of a page. A link leaving the file, a missing page or one that cannot be read throws.
    QByteArray lese(const QString& verweis) const;

    const QString& titel() const { return titel_; }
    // The page the help opens with: the compiler's default topic, else the first page of the contents, else
    // "/index.htm" or "/index.html"; empty when there is none of these.
    const QString& standardThema() const { return standardThema_; }
    // The page a context id opens; empty for an id the file does not know.
    QString seiteFuerKontext(qint32 id) const { return kontexte_.value(id); }
    const QMap<qint32, QString>& kontexte() const { return kontexte_; }
    const QList<HilfeEintrag>& inhalt() const { return inhalt_; }
    const QList<HilfeEintrag>& stichwoerter() const { return stichwoerter_; }

private:
    const ChmEintrag* gespeichert(const QString& verweis) const;
    void leseSitemaps(const QString& inhaltsDatei, QStringList stichwortDateien);

    QString datei_;
    std::unique_ptr<ChmBehaelter> chm_;
    QString titel_;
    QString standardThema_;
    QMap<qint32, QString> kontexte_;
    QList<HilfeEintrag> inhalt_;
    QList<HilfeEintrag> stichwoerter_;
};

} // namespace findolin::chm
