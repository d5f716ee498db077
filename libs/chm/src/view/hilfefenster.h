#pragma once

#include "hilfebrowser.h"
#include "hilfetext.h"

#include <QMainWindow>
#include <memory>

class QLineEdit;
class QListWidget;
class QTabWidget;
class QTreeWidget;
class QTreeWidgetItem;

namespace findolin::chm {

class HilfeDatei;
struct HilfeEintrag;

// The window of one help file, beside the game: the page on the right; on the left the contents, the index
// (when the file has one) and the full-text search; back and forward above. A file that cannot be read
// gives an empty window that says why.
class HilfeFenster : public QMainWindow {
    Q_OBJECT
public:
    HilfeFenster(const QString& datei, HilfeBrowser::Extern nachAussen, QWidget* parent = nullptr);
    ~HilfeFenster() override;

    const QString& datei() const { return datei_; }
    // The file read, or null when it could not be read; then `fehler` says why.
    const HilfeDatei* hilfe() const { return hilfe_.get(); }
    const QString& fehler() const { return fehler_; }
    // Shows a page of the file; false when there is no file or no such page.
    bool zeige(const QString& seite);
    QString seite() const { return browser_->seite(); }

private:
    static void fuelle(QTreeWidget* baum, const QList<HilfeEintrag>& eintraege, QTreeWidgetItem* oben);
    QTreeWidget* neuerBaum(const QString& name, const QList<HilfeEintrag>& eintraege);
    QWidget* neueSuche();
    void suche();

    QString datei_;
    std::unique_ptr<HilfeDatei> hilfe_;
    QString fehler_;
    HilfeBrowser* browser_;
    QTabWidget* seiten_;
    QLineEdit* suchbegriff_ = nullptr;
    QListWidget* treffer_ = nullptr;
    QList<HilfeText> texte_;
    bool texteGelesen_ = false;
};

} // namespace findolin::chm
