#include "chmbehaelter.h"

#include "logging.h"
#include "platform/laufzeitfehler.h"

#include <QFile>
#include <chm_lib.h>
#include <cstring>

namespace findolin::chm {

ChmBehaelter::ChmBehaelter(const QString& datei) : datei_(datei), verzeichnis_(datei) {
    chm_ = chm_open(QFile::encodeName(datei_).constData());
    if (!chm_)
        throw Laufzeitfehler(QStringLiteral("Die Hilfedatei lässt sich nicht öffnen"), datei_);
}

ChmBehaelter::~ChmBehaelter() {
    chm_close(chm_);
}

std::optional<QByteArray> ChmBehaelter::lese(const QByteArray& pfad) const {
    const ChmEintrag* e = verzeichnis_.finde(pfad);
    if (!e)
        return std::nullopt;
    if (e->laenge > ChmVerzeichnis::groessteLaenge)
        throw Laufzeitfehler(QStringLiteral("Eine Seite der Hilfedatei ist unglaubwürdig groß: ") +
                                 QString::fromUtf8(pfad),
                             datei_);
    // libchm reads what the directory says; the entry is ours, checked against the file's bounds.
    chmUnitInfo info{};
    info.start = e->start;
    info.length = e->laenge;
    info.space = static_cast<int>(e->bereich);
    std::strncpy(info.path, e->pfad.constData(), CHM_MAX_PATHLEN);
    QByteArray daten(static_cast<qsizetype>(e->laenge), Qt::Uninitialized);
    const LONGINT64 gelesen =
        e->laenge == 0 ? 0
                       : chm_retrieve_object(chm_, &info, reinterpret_cast<unsigned char*>(daten.data()), 0,
                                             static_cast<LONGINT64>(e->laenge));
    if (gelesen != static_cast<LONGINT64>(e->laenge)) {
        qCDebug(lcHilfe) << "help file" << datei_ << "read" << gelesen << "of" << e->laenge << "bytes of"
                         << pfad;
        throw Laufzeitfehler(QStringLiteral("Eine Seite der Hilfedatei lässt sich nicht lesen: ") +
                                 QString::fromUtf8(pfad),
                             datei_);
    }
    return daten;
}

} // namespace findolin::chm
