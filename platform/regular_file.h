#pragma once
// Opening a file that the program reads as a whole (a PDF invoice): only a
// regular file, and without blocking, so that a named pipe or a device
// cannot stall the program or never end.

#include <cstdio>
#include <string>

namespace lumora {

// A descriptor for reading `path`, closed on exec; the caller closes it.
// Throws InOutError with the run-time library's message when it cannot be
// opened or is no regular file (a folder: access denied, as the run-time
// library says).
int openRegularFile(const std::string& path);

// The same as a stream for reading; the caller closes it.
std::FILE* openRegularFileStream(const std::string& path);

// Whether both paths name the same existing file (through links, hard
// links included). False when either does not exist.
bool sameFile(const std::string& first, const std::string& second);

}  // namespace lumora
