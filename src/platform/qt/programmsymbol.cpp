#include "programmsymbol.h"

namespace findolin::platform {

QIcon programmSymbol() {
    QIcon symbol;
    for (int groesse : {16, 24, 32, 48, 64, 128, 256})
        symbol.addFile(QStringLiteral(":/findolin/eule-%1.png").arg(groesse), QSize(groesse, groesse));
    return symbol;
}

} // namespace findolin::platform
