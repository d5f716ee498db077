#pragma once

// A command run in a mount namespace of its own with one folder on a small tmpfs. Root may mount in its own
// namespace, anyone else in a user namespace of their own; where neither is allowed the tests skip.
#include <QProcess>
#include <QStringList>
#include <QTemporaryDir>
#include <unistd.h>

// The tmpfs of 1 MiB at `ziel` gets a copy of `ordner` and is filled up but for `frei` bytes, and, where
// `dateien` is given, room for only that many more files; afterwards the folder is copied back to `ordner`.
// The command sees FINDOLIN_FRAMEWORK_DIR set to `ziel`.
inline const char* const aufKleinerPlatte = R"(set -e; z=$1; o=$2; f=$3; d=$4; shift 4
mount -t tmpfs -o size=1024k${d:+,nr_inodes=$(($(find "$o" | wc -l) + d))} tmpfs "$z"; cp -a "$o"/. "$z"/
r=$(df --output=avail -B1 "$z" | tail -n 1); [ "$r" -le "$f" ] || fallocate -l $((r - f)) "$z/.voll"
set +e; FINDOLIN_FRAMEWORK_DIR="$z" "$@"; c=$?
rm -f "$z/.voll"; rm -rf "$o"/*; cp -a "$z"/. "$o"/; exit $c)";

inline QStringList mitKleinerPlatte(const QString& ziel, const QString& ordner, int frei, int dateien = -1) {
    QStringList befehl{"unshare", "--mount", "--propagation", "private"};
    if (::geteuid() != 0)
        befehl << "--map-root-user";
    return befehl +
           QStringList{
               "sh", "-c",   aufKleinerPlatte,      "sh",
               ziel, ordner, QString::number(frei), dateien < 0 ? QString() : QString::number(dateien)};
}

inline bool kleinePlatteMoeglich() {
    QTemporaryDir ziel;
    QProcess p;
    QStringList befehl = mitKleinerPlatte(ziel.path(), ziel.path(), 0);
    befehl.replace(befehl.indexOf(aufKleinerPlatte), "mount -t tmpfs -o size=64k tmpfs \"$1\"");
    p.start(befehl.takeFirst(), befehl);
    return p.waitForFinished(10000) && p.exitStatus() == QProcess::NormalExit && p.exitCode() == 0;
}
