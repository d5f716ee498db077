#pragma once

#include <QLocalServer>
#include <QLockFile>
#include <QObject>
#include <functional>
#include <memory>

namespace findolin::launcher {

// One launcher at a time for a game folder, so that two games never write into one folder: the first holds
// a lock beside the folder and listens; a second one asks it to come to the front and learns whether a game
// is running instead.
class Einzelstart : public QObject {
    Q_OBJECT
public:
    explicit Einzelstart(const QString& spielordner);

    // True when no other launcher runs for the folder; this one then answers the others.
    bool werdeEinziger();

    // What the first launcher answered a second one.
    enum class Antwort { NachVorn, SpieltGerade, Keine };
    // For a second launcher: asks the first to come to the front, waiting a few seconds at most.
    Antwort frageDenErsten();

    // Asked while answering: a running game cannot be brought to the front by the launcher.
    std::function<bool()> spieltGerade = [] { return false; };

signals:
    // A second launcher asked this one to come to the front.
    void nachVornGebeten();

private:
    void beantworte();

    QString name_;
    QLockFile sperre_;
    QLocalServer server_;
};

} // namespace findolin::launcher
