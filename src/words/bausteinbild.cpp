#include "bausteinbild.h"

namespace findolin {

namespace {

// A position beyond the end of the name counts as no digit.
bool istZiffer(const QString& s, qsizetype stelle) {
    return stelle < s.size() && s[stelle] >= u'0' && s[stelle] <= u'9';
}

} // namespace

QString bausteinBildName(const QString& s) {
    QString code;
    if (istZiffer(s, 2)) {
        code = s.left(2);
        if (!istZiffer(s, 3))
            code += s.mid(3, 1);
        else
            code += u'_';
    } else if (s.left(2) == QLatin1String("LT")) {
        code = QStringLiteral("LT_");
    } else {
        code = s.left(3);
    }
    return QStringLiteral("BST_") + code + QStringLiteral(".GIF");
}

} // namespace findolin
