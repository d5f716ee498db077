#include "platform/audio/nachladenderplayer.h"

#include <QTest>

using findolin::platform::NachladenderSoundPlayer;

// The sound output comes from a module loaded in the background; the game never waits for it.
class TestNachladen : public QObject {
    Q_OBJECT

private slots:
    void echtesModulWirdBereit() {
        NachladenderSoundPlayer ton(QStringLiteral(FINDOLIN_DEMO_DIR "/findolin_klang"));
        ton.playAsync(QStringLiteral("/nicht/da.WAV")); // waits for the player, then plays nothing: no file
        QVERIFY(!ton.bereit());
        ton.ladeImHintergrund();
        QTRY_VERIFY_WITH_TIMEOUT(ton.bereit(), 20000);
        ton.close();
    }

    void ohneModulBleibtEsStumm() {
        NachladenderSoundPlayer ton(QStringLiteral("/nicht/vorhanden/findolin_klang"));
        ton.ladeImHintergrund();
        ton.playAsync(QStringLiteral("/nicht/da.WAV"));
        ton.close();
        QCoreApplication::processEvents();
        QVERIFY(!ton.bereit());
    }
};

QTEST_GUILESS_MAIN(TestNachladen)
#include "tst_nachladen.moc"
