#include "wortdatenbank.h"

#include <QFile>
#include <QSet>
#include <sqlite3.h>
#include <stdexcept>

namespace findolin::wortdb {

namespace {

constexpr int laengsteWort = 24;

std::optional<Stelle> folge(const QString& wort, const QString& zeichen) {
    const qsizetype i = wort.indexOf(zeichen, 0, Qt::CaseInsensitive);
    if (i < 0)
        return std::nullopt;
    return Stelle{qint16(i + 1), qint16(i + zeichen.size())};
}

bool istMitlaut(QChar c) {
    return c.isLetter() && !QStringLiteral("aeiouäöüy").contains(c.toLower());
}

std::optional<Stelle> doppelterMitlaut(const QString& wort) {
    for (qsizetype i = 0; i + 1 < wort.size(); ++i)
        if (istMitlaut(wort[i]) && wort[i].toLower() == wort[i + 1].toLower())
            return Stelle{qint16(i + 1), qint16(i + 2)};
    return std::nullopt;
}

[[noreturn]] void fehler(const QString& text) {
    throw std::runtime_error(text.toStdString());
}

class Datei {
public:
    explicit Datei(const QString& pfad) {
        if (sqlite3_open(QFile::encodeName(pfad).constData(), &db_) != SQLITE_OK)
            fehler(QStringLiteral("Datenbank kann nicht angelegt werden: ") + pfad);
    }
    ~Datei() { sqlite3_close(db_); }
    Datei(const Datei&) = delete;
    Datei& operator=(const Datei&) = delete;

    void sql(const QString& text) {
        if (sqlite3_exec(db_, text.toUtf8().constData(), nullptr, nullptr, nullptr) != SQLITE_OK)
            fehler(QString::fromUtf8(sqlite3_errmsg(db_)) + QStringLiteral(": ") + text);
    }
    sqlite3_stmt* anweisung(const QString& text) {
        sqlite3_stmt* stmt = nullptr;
        if (sqlite3_prepare_v2(db_, text.toUtf8().constData(), -1, &stmt, nullptr) != SQLITE_OK)
            fehler(QString::fromUtf8(sqlite3_errmsg(db_)) + QStringLiteral(": ") + text);
        return stmt;
    }
    void schritt(sqlite3_stmt* stmt) {
        if (sqlite3_step(stmt) != SQLITE_DONE)
            fehler(QString::fromUtf8(sqlite3_errmsg(db_)));
        sqlite3_reset(stmt);
    }

private:
    sqlite3* db_ = nullptr;
};

} // namespace

const QList<Schwerpunkt>& schwerpunkte() {
    static const QList<Schwerpunkt> liste{
        {QStringLiteral("CK__"), 1, [](const QString& w) { return folge(w, QStringLiteral("ck")); }},
        {QStringLiteral("TZ__"), 2, [](const QString& w) { return folge(w, QStringLiteral("tz")); }},
        {QStringLiteral("LIP_"), 3, [](const QString& w) { return folge(w, QStringLiteral("ie")); }},
        {QStringLiteral("DM__"), 4, doppelterMitlaut},
        {QStringLiteral("SZ__"), 5, [](const QString& w) { return folge(w, QStringLiteral("ß")); }},
    };
    return liste;
}

QList<WortEintrag> leseWortliste(const QString& text) {
    QList<WortEintrag> worte;
    QSet<QString> gesehen;
    const QStringList zeilen = text.split(u'\n');
    for (int nr = 0; nr < zeilen.size(); ++nr) {
        const QString zeile = zeilen[nr].trimmed();
        if (zeile.isEmpty() || zeile.startsWith(u'#'))
            continue;
        QStringList teile = zeile.split(u' ', Qt::SkipEmptyParts);
        WortEintrag eintrag;
        if (teile.last() == QLatin1String("*")) {
            eintrag.gws = true;
            teile.removeLast();
        }
        const QString ort = QStringLiteral("Zeile %1: ").arg(nr + 1);
        if (teile.size() == 2 && QStringList({"der", "die", "das"}).contains(teile[0]))
            eintrag.kontext = teile.takeFirst();
        if (teile.size() != 1)
            fehler(ort + QStringLiteral("erwartet wird [der|die|das] Wort [*]: ") + zeile);
        eintrag.wort = teile[0];
        if (eintrag.wort.size() > laengsteWort)
            fehler(ort + QStringLiteral("das Wort ist länger als %1 Zeichen: ").arg(laengsteWort) +
                   eintrag.wort);
        if (gesehen.contains(eintrag.wort))
            fehler(ort + QStringLiteral("das Wort steht schon in der Liste: ") + eintrag.wort);
        gesehen.insert(eintrag.wort);
        worte.append(eintrag);
    }
    return worte;
}

void schreibeWortDatenbank(const QString& pfad, const QList<WortEintrag>& worte) {
    const QString neu = pfad + QStringLiteral(".neu");
    QFile::remove(neu);
    {
        Datei db(neu);
        QStringList spalten{QStringLiteral("RefNr INTEGER"), QStringLiteral("Wort TEXT NOT NULL"),
                            QStringLiteral("Kontext TEXT"), QStringLiteral("GWS BOOLEAN")};
        for (const Schwerpunkt& s : schwerpunkte())
            spalten.append(s.feld + QStringLiteral(" BOOLEAN"));
        db.sql(QStringLiteral("CREATE TABLE WortListe (") + spalten.join(QStringLiteral(", ")) + u')');
        db.sql(QStringLiteral("CREATE TABLE LupenStellen (RefNr INTEGER, ubix INTEGER, vonPos INTEGER, "
                              "bisPos INTEGER)"));
        db.sql(QStringLiteral("BEGIN"));
        const int nSpalten = 4 + int(schwerpunkte().size());
        sqlite3_stmt* wort = db.anweisung(QStringLiteral("INSERT INTO WortListe VALUES (?%1)")
                                              .arg(QStringLiteral(",?").repeated(nSpalten - 1)));
        sqlite3_stmt* lupe = db.anweisung(QStringLiteral("INSERT INTO LupenStellen VALUES (?,?,?,?)"));
        for (int i = 0; i < worte.size(); ++i) {
            const WortEintrag& e = worte[i];
            if (i + 1 > 32767)
                fehler(QStringLiteral("mehr als 32767 Wörter"));
            const QByteArray text = e.wort.toUtf8();
            const QByteArray kontext = e.kontext.toUtf8();
            sqlite3_bind_int(wort, 1, i + 1);
            sqlite3_bind_text(wort, 2, text.constData(), int(text.size()), SQLITE_TRANSIENT);
            if (e.kontext.isNull())
                sqlite3_bind_null(wort, 3);
            else
                sqlite3_bind_text(wort, 3, kontext.constData(), int(kontext.size()), SQLITE_TRANSIENT);
            sqlite3_bind_int(wort, 4, e.gws ? 1 : 0);
            for (int s = 0; s < schwerpunkte().size(); ++s) {
                const Schwerpunkt& schwerpunkt = schwerpunkte()[s];
                const std::optional<Stelle> stelle = schwerpunkt.stelle(e.wort);
                sqlite3_bind_int(wort, 5 + s, stelle ? 1 : 0);
                if (stelle) {
                    sqlite3_bind_int(lupe, 1, i + 1);
                    sqlite3_bind_int(lupe, 2, schwerpunkt.ubix);
                    sqlite3_bind_int(lupe, 3, stelle->vonPos);
                    sqlite3_bind_int(lupe, 4, stelle->bisPos);
                    db.schritt(lupe);
                }
            }
            db.schritt(wort);
        }
        sqlite3_finalize(wort);
        sqlite3_finalize(lupe);
        db.sql(QStringLiteral("COMMIT"));
    }
    QFile::remove(pfad);
    if (!QFile::rename(neu, pfad))
        fehler(QStringLiteral("Datenbank kann nicht an ihren Platz gelegt werden: ") + pfad);
}

} // namespace findolin::wortdb
