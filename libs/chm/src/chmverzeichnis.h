#pragma once

#include <QByteArray>
#include <QList>
#include <QString>

namespace findolin::chm {

// One stored file of a compiled help file: its path inside the container ("/Name.htm"), the section that
// holds it (0 stored as it is, 1 compressed) and where it lies in that section.
struct ChmEintrag {
    QByteArray pfad;
    quint64 bereich = 0;
    quint64 start = 0;
    quint64 laenge = 0;
};

// Reads and checks the container's headers, its directory and the layout of the compressed section without
// libchm. libchm trusts these structures (it follows chunk numbers in loops and indexes tables with them), so
// it only ever sees a file that passed here. A file that does not hold together is a Laufzeitfehler.
class ChmVerzeichnis {
public:
    explicit ChmVerzeichnis(const QString& datei);

    const QList<ChmEintrag>& eintraege() const { return eintraege_; }
    const ChmEintrag* finde(const QByteArray& pfad) const;
    // The largest object we read at all; help pages and their pictures stay far below it.
    static constexpr quint64 groessteLaenge = 64ull * 1024 * 1024;

private:
    QByteArray lese(quint64 position, quint64 laenge) const;
    QByteArray leseUnkomprimiert(const char* pfad) const;
    void leseKopf();
    void leseVerzeichnis(const QByteArray& verzeichnis);
    void leseListe(const QByteArray& block);
    void pruefeIndex(const QByteArray& verzeichnis);
    void pruefeKomprimiertenBereich();
    [[noreturn]] void beschaedigt(const QString& grund) const;

    QString datei_;
    quint64 dateiGroesse_ = 0;
    quint64 verzeichnisBeginn_ = 0;
    quint64 verzeichnisLaenge_ = 0;
    quint64 inhaltsBeginn_ = 0;
    quint32 blockGroesse_ = 0;
    qint32 indexWurzel_ = -1;
    qint32 ersteListe_ = 0;
    quint32 blockAnzahl_ = 0;
    QList<ChmEintrag> eintraege_;
};

} // namespace findolin::chm
