#pragma once

#include <QtGlobal>

namespace findolin {

// The help context id of a practice focus in the sibling help file: each range of focus numbers has its block
// of ids. A number outside every range leaves the id as it was.
qint32 hilfeKontextFuer(qint16 ubixNr, qint32 bisher);

} // namespace findolin
