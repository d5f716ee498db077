#pragma once

#include "einstellformular.h"
#include "einstellungen.h"
#include "platform/services.h"

#include <QStringList>

namespace findolin {

struct Pfade;

// The keys of the section "[Findolin]", in the order of the file and of the settings record.
const QStringList& einstellSchluessel();

// Reads the section "[Findolin]" of "Omnor.ini" into the settings record and the dialog's controls. A file
// without the section changes nothing. With four or more players the computer cannot be chosen.
void loadOmnorIni(const platform::FileSystem& dateien, const Pfade& pfade, qint16 nSpieler,
                  Einstellungen& einst, EinstellFormular& formular);

// Writes the settings back when the dialog's box "Einstellungen s&peichern" is checked: the six entries in
// their fixed order, a line with a single blank, the section's old comments; every other line stays as it
// was. The file is replaced through "Omnor.tmp" so that a crash never leaves half a file.
void saveOmnorIni(platform::FileSystem& dateien, const Pfade& pfade, const Einstellungen& einst,
                  const EinstellFormular& formular);

// The rewriting itself, on the file's text. Lines outside the section keep their bytes and line ends; the
// lines written end as the file's first line does (CR LF in a file without a line end).
QString mitEinstellungen(const QString& text, const Einstellungen& einst);

} // namespace findolin
