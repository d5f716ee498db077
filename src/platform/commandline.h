#pragma once

#include <QString>

class QProcess;

namespace findolin::platform {

// The command-line argument string as the framework hands it over: the text after the program name, not split
// and with its quotation marks. On Windows that is the raw command line. Elsewhere the shell has split it
// already, so the arguments are joined again by single blanks; the framework passes the list, with its two
// delimiter characters, as one argument.
QString commandLineArguments(int argc, char** argv);

// The other side: hands `startliste` to the program that `prozess` starts, so that commandLineArguments reads
// it unchanged there. On Windows it becomes the raw command line after the program name (an argument list
// would be quoted and its quotation marks escaped); elsewhere it is one argument.
void setzeStartliste(QProcess& prozess, const QString& startliste);

} // namespace findolin::platform
