#pragma once

#include <QString>

namespace findolin::platform {

// The command-line argument string as the framework hands it over: the text after the program name, not split
// and with its quotation marks. On Windows that is the raw command line. Elsewhere the shell has split it
// already, so the arguments are joined again by single blanks; the framework passes the list, with its two
// delimiter characters, as one argument.
QString commandLineArguments(int argc, char** argv);

} // namespace findolin::platform
