#pragma once

#include <string>
#include <vector>

namespace vantrel {

// The arguments of a command-line program as UTF-8, like every other text of
// the program: on Windows they are taken from the wide command line, since
// argv there is in the system's narrow code page and loses a file name in
// Japanese; elsewhere argv is UTF-8 already.
std::vector<std::string> commandLineArguments(int argc, char** argv);

// Standard output and error carry UTF-8 with "\n" line ends on every system,
// so a script gets the same bytes everywhere: on Windows the C library would
// otherwise write "\r\n", and a console would read the bytes in the system's
// code page. Nothing to do elsewhere.
void useUtf8Output();

}  // namespace vantrel
