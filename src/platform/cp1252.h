#pragma once

#include <QByteArray>
#include <QString>

namespace findolin {

// The framework writes its text files in the Windows ANSI code page. Qt has no codec for it, and Latin-1
// differs in 0x80..0x9F (the euro sign, typographic quotes), so we translate ourselves.
QString ausWindows1252(const QByteArray& bytes);
// Characters the code page lacks become "?", as Windows does.
QByteArray nachWindows1252(const QString& text);

} // namespace findolin
