#pragma once

#include <QByteArray>
#include <QString>

#ifdef _WIN32
#include <string>
#include <windows.h>
#endif

// Paths and error numbers in the form the operating system's own calls take and give them, for the file code
// of this folder (dateisystem.cpp, sperrdatei.cpp).
namespace findolin::platform::dateisystem {

#ifdef _WIN32
std::wstring breit(const QString& pfad);
QString systemFehler(DWORD fehler);
#else
QByteArray name(const QString& pfad);
QString systemFehler(int fehler);
#endif

} // namespace findolin::platform::dateisystem
