#pragma once
// The process's current directory. Choosing an invoice makes its folder the
// current directory; the PDF and the settings file follow it.

#include <string>
#include <string_view>

namespace lumora {

// The current directory as the operating system reports it, without a
// trailing separator except at the root. Throws InOutError when it cannot be
// read (it was removed, say): an empty text would put files at the root.
std::string GetCurrentDirectoryA();

// Changes the current directory; throws InOutError when that fails.
void setCurrentDirectory(const std::string& directory);

// The folder part of a file path ("." for a bare name, "/" for the root).
std::string folderOf(std::string_view path);

}  // namespace lumora
