#pragma once

#include "rahmenordner.h"

#include <QStringList>

namespace findolin::launcher {

// The folder the game plays in is the launcher's own, $XDG_DATA_HOME/findolin/omnor (usually
// ~/.local/share/findolin/omnor); the launcher never writes into a framework folder.
//
// It keeps what belongs to the family and is written by the game: the settings (section "[Findolin]" of
// "Omnor.ini"), the high-score list "User/Meister.mdb" and the players' result files "User/<key>.tmp".
// Everything else the game reads comes from a framework folder, the demo folder or one the user chose:
// - sounds, pictures and help files are copied when the game folder is new, when it was filled from another
//   framework folder, when they are missing, or when the demo is restored;
// - "Omnor.ini" is the framework folder's, with the family's settings carried over;
// - the practice focus is made ready before every start. The game filters its words by the field LIP_ and
//   takes the title and number of the focus (and with the number its magnifier spots and help topic) from
//   the record of LIP_ in "Omnor.tsp", and its picture from "Grafik/BST_LIP.GIF". So the game folder gets a
//   spelling database whose column LIP_ holds the chosen focus's words, a list in which the chosen record
//   carries the field name LIP_ (and the record that carried it the chosen one's), and the chosen focus's
//   picture under that name.
QString standardSpielordner();

// Makes sure the game folder can be written: the folder, "User", and the settings and high-score files where
// they exist. Otherwise a run-time error that names the folder, before anything is started.
void pruefeSchreibbar(const QString& spielordner);

// Fills the game folder from the framework folder `quelle` as described above. `erneuern`: copies every
// file again and takes the framework folder's "Omnor.ini" with its settings (the demo restored); the
// high-score list and the result files stay.
void gleicheAb(const QString& spielordner, const QString& quelle, bool erneuern);

// Makes the practice focus `schwerpunkt` of `angebot` (the offer of the framework folder the game folder
// was filled from) ready in the game folder, as described above.
void bereiteSchwerpunktVor(const QString& spielordner, const Angebot& angebot,
                           const Schwerpunkt& schwerpunkt);

// Whether the computer plays along: the setting "GegenComputer" of the family's settings. The file is only
// rewritten when the setting changes.
void setzeComputer(const QString& spielordner, bool computer);

// An empty result file in "User" for every player who has none yet: the game reads them all.
void legeErgebnisdateienAn(const QString& spielordner, const QStringList& kennungen);

// Deletes Findolin's rows of the family's high-score list "User/Meister.mdb", through the same layer and in
// the same way as the game writes it (one transaction; other games' rows stay). Returns how many went; a
// list that cannot be written is a run-time error and stays as it was.
int leereMeisterliste(const QString& spielordner);

} // namespace findolin::launcher
