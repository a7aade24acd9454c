#pragma once

// "Beside the program": the folder of the program file, or, where that folder
// is not writable (an installed program), the user's own data folder for the
// program. The transfer folder, the debug marker and the language module
// live there.

#include <string>

namespace cf {

// The folder of the running program file.
std::string ProgramFileDir();
// Where files that belong beside the program are kept.
std::string BesideProgram();

} // namespace cf
