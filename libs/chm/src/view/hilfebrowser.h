#pragma once

#include <QTextBrowser>
#include <functional>

namespace findolin::chm {

class HilfeDatei;

// The page of a help window. Pages, pictures and style sheets come from the help file, named "chm:/page";
// relative links resolve against the page shown. Links to the web or to mail go to `extern` and are never
// followed here; any other link leaving the file is refused with a short message in its place.
class HilfeBrowser : public QTextBrowser {
    Q_OBJECT
public:
    using Extern = std::function<void(const QUrl&)>;

    explicit HilfeBrowser(Extern nachAussen, QWidget* parent = nullptr);

    // The file to read from; it outlives the browser.
    void setzeHilfe(const HilfeDatei* hilfe) { hilfe_ = hilfe; }
    static QUrl alsUrl(const QString& seite);
    // The page of the help file shown now, empty when none.
    QString seite() const;

    QVariant loadResource(int type, const QUrl& name) override;

private:
    void folge(const QUrl& url);
    QUrl innerhalb(const QUrl& url) const;

    const HilfeDatei* hilfe_ = nullptr;
    Extern extern_;
};

// A short German message as a page.
QString meldungsSeite(const QString& ueberschrift, const QStringList& absaetze);

} // namespace findolin::chm
