#include "game/view/brettansicht.h"
#include "game/view/mainfrmview.h"
#include "game/view/qtdienste.h"
#include "spielfixture.h"

#include <QAbstractButton>
#include <QAccessible>
#include <QApplication>
#include <QDialog>
#include <QTest>
#include <QTimer>
#include <QtGui/private/qguiapplication_p.h>
#include <QtGui/qpa/qplatformaccessibility.h>
#include <QtGui/qpa/qplatformintegration.h>

using namespace findolin;
using findolin::test::SpielFixture;

namespace {

// What a screen reader was told, in order: the event and the role, name and description of its object.
struct Ereignis {
    QAccessible::Event typ;
    QAccessible::Role rolle;
    QString name, beschreibung;
};
std::vector<Ereignis> ereignisse;

void merke(QAccessibleEvent* e) {
    QAccessibleInterface* i = e->accessibleInterface();
    ereignisse.push_back({e->type(), i ? i->role() : QAccessible::NoRole,
                          i ? i->text(QAccessible::Name) : QString(),
                          i ? i->text(QAccessible::Description) : QString()});
}

QStringList angesagt() {
    QStringList texte;
    for (const Ereignis& e : ereignisse)
        if (e.typ == QAccessible::ObjectShow && e.rolle == QAccessible::Notification)
            texte << e.name;
    return texte;
}

// Every object of the tree below `i` by its name; several with one name keep the first.
void sammle(QAccessibleInterface* i, QHash<QString, QAccessibleInterface*>& nachName) {
    if (!nachName.contains(i->text(QAccessible::Name)))
        nachName.insert(i->text(QAccessible::Name), i);
    for (int k = 0; k < i->childCount(); ++k)
        sammle(i->child(k), nachName);
}

QAccessibleInterface* zugang(QObject* o) {
    return QAccessible::queryAccessibleInterface(o);
}

} // namespace

// The game as a screen reader reads it: the real main window and dialogs, offscreen, through QAccessible.
class TestZugaenglichkeit : public QObject {
    Q_OBJECT

    static void mitFenster(const std::function<void(SpielFixture&, MainFrm&, view::MainFrmView&)>& pruefe) {
        SPIEL_IM_RAHMEN(s, 1);
        s.spiele(test::zweiSpieler, [&](MainFrm& frm) {
            ereignisse.clear();
            view::MainFrmView fenster(frm, s.ordner.path());
            fenster.show();
            QVERIFY(QTest::qWaitForWindowExposed(&fenster));
            pruefe(s, frm, fenster);
        });
    }

private slots:
    // As when a screen reader listens: Qt sends its events only then.
    void initTestCase() {
        QAccessible::installUpdateHandler(merke);
        QGuiApplicationPrivate::platformIntegration()->accessibility()->setActive(true);
        QVERIFY(QAccessible::isActive());
    }

    // Every control of the main window has a name and a role; the digits of a number are one text.
    void hauptfenster() {
        mitFenster([](SpielFixture& s, MainFrm& frm, view::MainFrmView& f) {
            QHash<QString, QAccessibleInterface*> baum;
            sammle(zugang(&f), baum);
            const QString gesucht =
                (frm.brett().anzeige.suchKontLbl.caption + " " + frm.woerter().aktWort()).trimmed();
            const std::pair<QString, QAccessible::Role> erwartet[] = {
                {"Feld A1", QAccessible::Button},
                {"Feld B3", QAccessible::Button},
                {"Feld E5", QAccessible::Button},
                {"Punkte: 0", QAccessible::StaticText},
                {"Einsatz: 0", QAccessible::StaticText},
                {"Am Zug: Anna", QAccessible::StaticText},
                {"Gesucht: " + gesucht, QAccessible::StaticText},
                {"Gefunden: noch nichts", QAccessible::StaticText},
                {"Risiko", QAccessible::Button},
                {"Rote Lampe: kein Risiko", QAccessible::Graphic},
                {"Grüne Lampe: aus", QAccessible::Graphic},
                {"Ratezeit: aus", QAccessible::ProgressBar},
                {"Spielzeit: noch 26 Minuten", QAccessible::ProgressBar},
                {"Bild zum Übungsschwerpunkt", QAccessible::Graphic},
                {"Neu ...", QAccessible::MenuItem}};
            for (const auto& [name, rolle] : erwartet) {
                QVERIFY2(baum.contains(name), qPrintable(name));
                QCOMPARE(baum[name]->role(), rolle);
            }
            QVERIFY(!baum.contains("0")); // no lone digit
            QCOMPARE(baum["Feld B3"]->text(QAccessible::Description), QString("verdeckt"));
            QVERIFY(baum["Risiko"]->state().disabled);
            QCOMPARE(baum["Spielzeit: noch 26 Minuten"]->valueInterface()->maximumValue().toInt(), 26);
            // The guess-time meter, switched on, counts the seconds left.
            frm.rateZeit().switchVuRestZeit(true);
            s.schleife.advance(1000);
            f.aktualisiere();
            QAccessibleInterface* meter = baum["Ratezeit: aus"];
            QCOMPARE(meter->text(QAccessible::Name), QString("Ratezeit: noch 19 Sekunden"));
            QCOMPARE(meter->valueInterface()->currentValue().toInt(), 19);
        });
    }

    // A hit, a miss and the change of turn: the fields' states while and after they are uncovered, and one
    // announcement per move once its evaluation is over.
    void zugUndAnsage() {
        mitFenster([](SpielFixture& s, MainFrm& frm, view::MainFrmView& f) {
            const QString erster = frm.woerter().aktWort().left(1).toUpper();
            const qint16 richtig = SpielFixture::feldMit(frm, erster);
            const qint16 leer = SpielFixture::feldMit(frm, "");
            QAccessibleInterface* treffer = zugang(f.brett()->feldWidget(richtig));
            QAccessibleInterface* fehler = zugang(f.brett()->feldWidget(leer));
            const QString trefferName = treffer->text(QAccessible::Name);

            treffer->actionInterface()->doAction(QAccessibleActionInterface::pressAction());
            QCOMPARE(treffer->text(QAccessible::Description), erster + ", gefunden");
            QCOMPARE(angesagt(), QStringList()); // not while the move is evaluated
            s.schleife.advance(10);
            f.aktualisiere();
            QCOMPARE(angesagt(), QStringList{trefferName + ": " + erster + ", richtig"});
            QTest::mouseClick(f.brett()->feldWidget(leer), Qt::LeftButton);
            QCOMPARE(fehler->text(QAccessible::Description), QString("leer"));
            s.schleife.advance(10);
            f.aktualisiere();
            QCOMPARE(fehler->text(QAccessible::Description), QString("verdeckt"));
            QCOMPARE(angesagt().value(1),
                     fehler->text(QAccessible::Name) + ": leer, daneben. Ben ist am Zug");
            QCOMPARE(angesagt().size(), 2);
            QVERIFY(std::any_of(ereignisse.begin(), ereignisse.end(), [&](const Ereignis& e) {
                return e.typ == QAccessible::DescriptionChanged && e.name == trefferName;
            }));
            QHash<QString, QAccessibleInterface*> baum;
            sammle(zugang(&f), baum);
            QVERIFY(baum.contains("Am Zug: Ben"));
            QVERIFY(baum.contains("Punkte: 0")); // Ben's; Anna's 20 are hers
            QVERIFY(baum.contains("Gefunden: " + frm.woerter().aktWort().left(1)));
        });
    }

    void fokusFolgtDemCursor_data() {
        QTest::addColumn<QString>("tasten");
        QTest::addColumn<QString>("feld");
        QTest::newRow("Start") << ""
                               << "Feld A1";
        QTest::newRow("rechts") << "R"
                                << "Feld B1";
        QTest::newRow("rechts, runter") << "RD"
                                        << "Feld B2";
        QTest::newRow("am Rand bleibt er") << "LU"
                                           << "Feld A1";
        QTest::newRow("bis ans Ende") << "RRRRRDDDDDD"
                                      << "Feld E5";
    }

    // The field under the keyboard cursor holds the focus, and the screen reader hears of every move.
    void fokusFolgtDemCursor() {
        QFETCH(QString, tasten);
        QFETCH(QString, feld);
        mitFenster([&](SpielFixture&, MainFrm&, view::MainFrmView& f) {
            f.activateWindow();
            QVERIFY(QTest::qWaitForWindowActive(&f));
            f.aktualisiere();
            const QHash<QChar, Qt::Key> taste{
                {'R', Qt::Key_Right}, {'L', Qt::Key_Left}, {'U', Qt::Key_Up}, {'D', Qt::Key_Down}};
            for (QChar t : tasten)
                QTest::keyClick(&f, taste[t]);
            QAccessibleInterface* fokus = zugang(QApplication::focusWidget());
            QCOMPARE(fokus->text(QAccessible::Name), feld);
            QVERIFY(fokus->state().focused && fokus->state().focusable);
            QVERIFY(!ereignisse.empty());
            const auto letzter = std::find_if(ereignisse.rbegin(), ereignisse.rend(),
                                              [](const Ereignis& e) { return e.typ == QAccessible::Focus; });
            QVERIFY(letzter != ereignisse.rend());
            QCOMPARE(letzter->name, feld);
        });
    }

    void dialoge_data() {
        QTest::addColumn<QString>("menue");
        QTest::addColumn<QString>("titel");
        QTest::addColumn<QStringList>("knoepfe");
        QTest::newRow("Neues Spiel") << "mnuDateiNeu"
                                     << "Neues Spiel" << QStringList{"ja:Alt+J", "nein:Alt+N"};
        QTest::newRow("Beenden") << "mnuDateiEnde"
                                 << "Findolin beenden" << QStringList{"ja:Alt+J", "nein:Alt+N"};
        QTest::newRow("Datei-Info") << "mnuDateiInfo"
                                    << " Datei-Info" << QStringList{"OK:Alt+O"};
        QTest::newRow("Meisterliste") << "mnuDateiMeisterliste"
                                      << "Meisterliste" << QStringList{"OK:Alt+O"};
        QTest::newRow("Info über") << "mnuHilfeInfo"
                                   << "Info über ..." << QStringList{"OK:Alt+O"};
        QTest::newRow("Einstellungen") << "mnuBearbEinstell"
                                       << "Einstellungen"
                                       << QStringList{"Ton einschalten:Alt+T",
                                                      "Ratezeit begrenzen:Alt+R",
                                                      "Feldmarkierung anzeigen:",
                                                      "Einstellungen speichern:Alt+P",
                                                      "als Gegenspieler:Alt+A",
                                                      "stark:Alt+S",
                                                      "schwach:Alt+W",
                                                      "OK:Alt+O",
                                                      "abbrechen:Alt+A"};
    }

    // Each dialog, shown for real from its menu command: its name, and every button's name with its access
    // key.
    void dialoge() {
        QFETCH(QString, menue);
        QFETCH(QString, titel);
        QFETCH(QStringList, knoepfe);
        mitFenster([&](SpielFixture& s, MainFrm&, view::MainFrmView& f) {
            view::QtDienste qt(s.ton, s.ordner.path());
            QStringList gefunden;
            QString name;
            const auto zeigeEcht = [&](platform::ModalForm& form) {
                QTimer::singleShot(0, [&] {
                    auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
                    QVERIFY(dialog);
                    name = zugang(dialog)->text(QAccessible::Name);
                    for (QAbstractButton* b : dialog->findChildren<QAbstractButton*>()) {
                        if (!b->isVisible())
                            continue;
                        QAccessibleInterface* i = zugang(b);
                        gefunden << i->text(QAccessible::Name) + ":" +
                                        i->actionInterface()
                                            ->keyBindingsForAction(
                                                i->actionInterface()->actionNames().value(0))
                                            .value(0);
                    }
                    dialog->done(QDialog::Rejected);
                });
                qt.fenster.showModal(form);
                form.pressButton("&nein"); // the quit question is answered "nein"; other forms ignore it
            };
            for (const QString& form : {MldFenster::name, EndeFrm::name, DateiInfoFrm::name, MeisterFrm::name,
                                        InfoFrm::name, EinstellFrm::name})
                s.fenster.onNext(form, zeigeEcht);
            f.aktion(menue)->trigger();
            QCOMPARE(name, titel);
            QCOMPARE(gefunden, knoepfe);
        });
    }
};

QTEST_MAIN(TestZugaenglichkeit)
#include "tst_zugaenglichkeit.moc"
