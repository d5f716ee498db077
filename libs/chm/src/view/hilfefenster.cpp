#include "hilfefenster.h"

#include "chm/hilfedatei.h"
#include "platform/laufzeitfehler.h"

#include <QAction>
#include <QDir>
#include <QFileInfo>
#include <QLineEdit>
#include <QListWidget>
#include <QSplitter>
#include <QStyle>
#include <QTabWidget>
#include <QToolBar>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace findolin::chm {

HilfeFenster::HilfeFenster(const QString& datei, HilfeBrowser::Extern nachAussen, QWidget* parent)
    : QMainWindow(parent), datei_(datei), browser_(new HilfeBrowser(std::move(nachAussen))),
      seiten_(new QTabWidget) {
    try {
        hilfe_ = std::make_unique<HilfeDatei>(datei);
    } catch (const Laufzeitfehler& f) {
        fehler_ = f.problem();
    } catch (const std::exception& e) {
        fehler_ = QString::fromLocal8Bit(e.what());
    }
    browser_->setObjectName(QStringLiteral("seite"));
    browser_->setzeHilfe(hilfe_.get());
    seiten_->setObjectName(QStringLiteral("seiten"));

    auto* leiste = addToolBar(QStringLiteral("Navigation"));
    leiste->setObjectName(QStringLiteral("navigation"));
    leiste->setMovable(false);
    auto* zurueck = leiste->addAction(style()->standardIcon(QStyle::SP_ArrowBack), QStringLiteral("Zurück"),
                                      browser_, &QTextBrowser::backward);
    auto* vorwaerts = leiste->addAction(style()->standardIcon(QStyle::SP_ArrowForward),
                                        QStringLiteral("Vorwärts"), browser_, &QTextBrowser::forward);
    zurueck->setObjectName(QStringLiteral("zurueck"));
    vorwaerts->setObjectName(QStringLiteral("vorwaerts"));
    zurueck->setToolTip(QStringLiteral("Zurück"));
    vorwaerts->setToolTip(QStringLiteral("Vorwärts"));
    zurueck->setEnabled(false);
    vorwaerts->setEnabled(false);
    connect(browser_, &QTextBrowser::backwardAvailable, zurueck, &QAction::setEnabled);
    connect(browser_, &QTextBrowser::forwardAvailable, vorwaerts, &QAction::setEnabled);
    // Esc and Ctrl+W close the window, wherever in it the focus is.
    auto* schliessen = new QAction(QStringLiteral("Schließen"), this);
    schliessen->setObjectName(QStringLiteral("schliessen"));
    schliessen->setShortcuts({QKeySequence(Qt::Key_Escape), QKeySequence::Close});
    schliessen->setShortcutContext(Qt::WindowShortcut);
    connect(schliessen, &QAction::triggered, this, &QWidget::close);
    addAction(schliessen);

    auto* teiler = new QSplitter;
    teiler->addWidget(seiten_);
    teiler->addWidget(browser_);
    teiler->setStretchFactor(1, 1);
    teiler->setSizes({220, 580});
    setCentralWidget(teiler);
    resize(800, 560);

    if (!hilfe_) {
        setWindowTitle(QFileInfo(datei).fileName());
        seiten_->hide();
        browser_->setHtml(meldungsSeite(QStringLiteral("Hilfe nicht lesbar"),
                                        {QStringLiteral("Die Hilfedatei „%1“ kann nicht gelesen werden.")
                                             .arg(QDir::toNativeSeparators(datei)),
                                         fehler_}));
        return;
    }
    setWindowTitle(hilfe_->titel().isEmpty() ? QFileInfo(datei).fileName() : hilfe_->titel());
    seiten_->addTab(neuerBaum(QStringLiteral("inhalt"), hilfe_->inhalt()), QStringLiteral("Inhalt"));
    const int index =
        seiten_->addTab(neuerBaum(QStringLiteral("index"), hilfe_->stichwoerter()), QStringLiteral("Index"));
    seiten_->setTabVisible(index, !hilfe_->stichwoerter().isEmpty());
    seiten_->addTab(neueSuche(), QStringLiteral("Suchen"));
}

HilfeFenster::~HilfeFenster() = default;

bool HilfeFenster::zeige(const QString& seite) {
    if (!hilfe_ || seite.isEmpty() || !hilfe_->enthaelt(seite))
        return false;
    const QString gespeichert = hilfe_->seite(seite);
    if (browser_->seite() != gespeichert)
        browser_->setSource(HilfeBrowser::alsUrl(gespeichert));
    return true;
}

void HilfeFenster::fuelle(QTreeWidget* baum, const QList<HilfeEintrag>& eintraege, QTreeWidgetItem* oben) {
    for (const auto& e : eintraege) {
        auto* item = oben ? new QTreeWidgetItem(oben) : new QTreeWidgetItem(baum);
        item->setText(0, e.titel);
        item->setData(0, Qt::UserRole, e.seite);
        fuelle(baum, e.kinder, item);
    }
}

QTreeWidget* HilfeFenster::neuerBaum(const QString& name, const QList<HilfeEintrag>& eintraege) {
    auto* baum = new QTreeWidget;
    baum->setObjectName(name);
    baum->setHeaderHidden(true);
    fuelle(baum, eintraege, nullptr);
    baum->expandAll();
    auto oeffne = [this](QTreeWidgetItem* item) { zeige(item->data(0, Qt::UserRole).toString()); };
    connect(baum, &QTreeWidget::itemClicked, this, oeffne);
    connect(baum, &QTreeWidget::itemActivated, this, oeffne);
    return baum;
}

QWidget* HilfeFenster::neueSuche() {
    auto* seite = new QWidget;
    auto* spalte = new QVBoxLayout(seite);
    suchbegriff_ = new QLineEdit;
    suchbegriff_->setObjectName(QStringLiteral("suchbegriff"));
    suchbegriff_->setPlaceholderText(QStringLiteral("Suchbegriff eingeben"));
    suchbegriff_->setClearButtonEnabled(true);
    treffer_ = new QListWidget;
    treffer_->setObjectName(QStringLiteral("treffer"));
    spalte->addWidget(suchbegriff_);
    spalte->addWidget(treffer_);
    connect(suchbegriff_, &QLineEdit::returnPressed, this, &HilfeFenster::suche);
    auto oeffne = [this](QListWidgetItem* item) { zeige(item->data(Qt::UserRole).toString()); };
    connect(treffer_, &QListWidget::itemClicked, this, oeffne);
    connect(treffer_, &QListWidget::itemActivated, this, oeffne);
    return seite;
}

// The pages are read when the first search asks for them, not before.
void HilfeFenster::suche() {
    if (!texteGelesen_) {
        texte_ = leseTexte(*hilfe_);
        texteGelesen_ = true;
    }
    treffer_->clear();
    const auto gefunden = finde(texte_, suchbegriff_->text());
    for (const auto& t : gefunden) {
        auto* item = new QListWidgetItem(t.titel, treffer_);
        item->setData(Qt::UserRole, t.seite);
    }
    if (gefunden.isEmpty() && !suchbegriff_->text().trimmed().isEmpty())
        new QListWidgetItem(QStringLiteral("Nichts gefunden."), treffer_);
}

} // namespace findolin::chm
