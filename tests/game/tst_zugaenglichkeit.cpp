#include "game/view/brettansicht.h"
#include "game/view/mainfrmview.h"
#include "game/view/qtdienste.h"
#include "spielfixture.h"

#include <QAbstractButton>
#include <QDialog>
#include <QTest>
#include <QTimer>
#include <QtGui/private/qguiapplication_p.h>
#include <QtGui/qpa/qplatformaccessibility.h>
#include <QtGui/qpa/qplatformintegration.h>

using namespace findolin;
using findolin::test::SpielFixture;

namespace {

// What a screen reader was told, in order: the event, and the role and name of its object.
std::vector<std::tuple<QAccessible::Event, QAccessible::Role, QString>> ereignisse;

void merke(QAccessibleEvent* e) {
    QAccessibleInterface* i = e->accessibleInterface();
    ereignisse.push_back({e->type(), i->role(), i->text(QAccessible::Name)});
}

QStringList gesagt(QAccessible::Event typ, QAccessible::Role rolle) {
    QStringList namen;
    for (const auto& [t, r, name] : ereignisse)
        if (t == typ && r == rolle)
            namen << name;
    return namen;
}

void sammle(QAccessibleInterface* i, QHash<QString, QAccessibleInterface*>& baum) {
    baum.insert(i->text(QAccessible::Name), i);
    for (int k = 0; k < i->childCount(); ++k)
        sammle(i->child(k), baum);
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
            QVERIFY(QTest::qWaitForWindowActive(&fenster));
            pruefe(s, frm, fenster);
        });
    }

private slots:
    // As when a screen reader listens: Qt sends its events only then.
    void initTestCase() {
        QAccessible::installUpdateHandler(merke);
        QGuiApplicationPrivate::platformIntegration()->accessibility()->setActive(true);
    }

    // Every control of the main window has a name and a role, the digits of a number are one text; then a hit
    // by the screen reader's "press" and a miss: the fields' states while and after they are uncovered, and
    // one announcement per move, once its evaluation is over.
    void hauptfensterUndZuege() {
        mitFenster([](SpielFixture& s, MainFrm& frm, view::MainFrmView& f) {
            QHash<QString, QAccessibleInterface*> baum;
            sammle(zugang(&f), baum);
            const QString gesucht =
                "Gesucht: " + frm.brett().anzeige.suchKontLbl.caption + " " + frm.woerter().aktWort();
            const std::pair<QAccessible::Role, QStringList> erwartet[] = {
                {QAccessible::Button, {"Feld B3", "Risiko"}},
                {QAccessible::Grouping, {"Spielfeld", "gesucht", "gefunden", "Name", "Punkte", "Bonus"}},
                {QAccessible::StaticText,
                 {"Punkte: 0", "Einsatz: 0", "Am Zug: Anna", gesucht, "Gefunden: noch nichts"}},
                {QAccessible::Graphic,
                 {"Rote Lampe: kein Risiko", "Grüne Lampe: aus", "Bild zum Übungsschwerpunkt"}},
                {QAccessible::ProgressBar, {"Ratezeit: aus", "Spielzeit: noch 26 Minuten"}}};
            for (const auto& [rolle, namen] : erwartet)
                for (const QString& name : namen)
                    QVERIFY2(baum.value(name) && baum[name]->role() == rolle, qPrintable(name));
            QVERIFY(!baum.contains("0")); // no lone digit
            // The field under the keyboard cursor holds the focus; the screen reader hears of every move.
            for (Qt::Key taste : {Qt::Key_Left, Qt::Key_Up, Qt::Key_Right, Qt::Key_Down})
                QTest::keyClick(&f, taste); // at the edge the cursor stays
            QCOMPARE(gesagt(QAccessible::Focus, QAccessible::Button),
                     (QStringList{"Feld A1", "Feld B1", "Feld B2"}));
            QAccessibleInterface* fokus = zugang(QApplication::focusWidget());
            QVERIFY(fokus->state().focused && fokus->text(QAccessible::Name) == "Feld B2");

            const QString erster = frm.woerter().aktWort().left(1).toUpper();
            QAccessibleInterface* treffer = zugang(f.brett()->feldWidget(SpielFixture::feldMit(frm, erster)));
            QAccessibleInterface* leer = zugang(f.brett()->feldWidget(SpielFixture::feldMit(frm, "")));
            treffer->actionInterface()->doAction(QAccessibleActionInterface::pressAction());
            QCOMPARE(treffer->text(QAccessible::Description), erster + ", gefunden");
            QCOMPARE(gesagt(QAccessible::ObjectShow, QAccessible::Notification), QStringList());
            s.schleife.advance(10);
            f.aktualisiere();
            leer->actionInterface()->doAction(QAccessibleActionInterface::pressAction());
            QCOMPARE(leer->text(QAccessible::Description), QString("leer"));
            s.schleife.advance(10);
            frm.rateZeit().switchVuRestZeit(true);
            s.schleife.advance(1000);
            f.aktualisiere();
            QCOMPARE(leer->text(QAccessible::Description), QString("verdeckt"));
            frm.spieler().setzeEinsatz(120); // a stake is said as soon as it is placed
            f.aktualisiere();
            QCOMPARE(gesagt(QAccessible::ObjectShow, QAccessible::Notification),
                     (QStringList{treffer->text(QAccessible::Name) + ": " + erster + ", richtig",
                                  leer->text(QAccessible::Name) + ": leer, daneben. Ben ist am Zug",
                                  "Einsatz: 120 Punkte"}));
            QVERIFY(gesagt(QAccessible::DescriptionChanged, QAccessible::Button)
                        .contains(treffer->text(QAccessible::Name)));
            QCOMPARE(baum["Am Zug: Anna"]->text(QAccessible::Name), QString("Am Zug: Ben"));
            QCOMPARE(baum["Ratezeit: aus"]->text(QAccessible::Name), QString("Ratezeit: noch 19 Sekunden"));
        });
    }

    // Each dialog, shown for real from its menu command: its name, and every button's name with its access
    // key.
    void dialoge() {
        const std::pair<const char*, QString> erwartet[] = {
            {"mnuDateiNeu", "Neues Spiel: ja Alt+J, nein Alt+N"},
            {"mnuDateiEnde", "Findolin beenden: ja Alt+J, nein Alt+N"},
            {"mnuDateiInfo", " Datei-Info: OK Alt+O"},
            {"mnuDateiMeisterliste", "Meisterliste: OK Alt+O"},
            {"mnuHilfeInfo", "Info über ...: OK Alt+O"},
            {"mnuBearbEinstell", "Einstellungen: Ton einschalten Alt+T, Ratezeit begrenzen Alt+R, "
                                 "Feldmarkierung anzeigen , Einstellungen "
                                 "speichern Alt+P, als Gegenspieler Alt+A, stark Alt+S, schwach Alt+W, OK "
                                 "Alt+O, abbrechen Alt+A"}};
        mitFenster([&](SpielFixture& s, MainFrm&, view::MainFrmView& f) {
            view::QtDienste qt(s.ton, s.ordner.path());
            QString gefunden;
            const auto zeigeEcht = [&](platform::ModalForm& form) {
                QTimer::singleShot(0, [&] {
                    auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
                    QStringList namen;
                    for (QAbstractButton* b : dialog->findChildren<QAbstractButton*>())
                        if (QAccessibleActionInterface* a = zugang(b)->actionInterface(); b->isVisible())
                            namen << zugang(b)->text(QAccessible::Name) + " " +
                                         a->keyBindingsForAction(a->actionNames().value(0)).value(0);
                    gefunden = zugang(dialog)->text(QAccessible::Name) + ": " + namen.join(", ");
                    dialog->done(QDialog::Rejected);
                });
                qt.fenster.showModal(form);
                form.pressButton("&nein"); // the questions are answered "nein"; the other forms ignore it
            };
            for (const QString& form : {MldFenster::name, EndeFrm::name, DateiInfoFrm::name, MeisterFrm::name,
                                        InfoFrm::name, EinstellFrm::name})
                s.fenster.always(form, zeigeEcht);
            for (const auto& [menue, knoepfe] : erwartet) {
                f.aktion(menue)->trigger();
                QCOMPARE(gefunden, knoepfe);
            }
        });
    }
};

QTEST_MAIN(TestZugaenglichkeit)
#include "tst_zugaenglichkeit.moc"
