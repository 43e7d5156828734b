#pragma once

#include <string>

// The whole content of a file, or of standard input for "-". Throws CliError (failure) with
// the system's reason when it cannot be read.
std::string ReadWholeFile(const std::string& path);
