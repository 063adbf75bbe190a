// SHA-256 of a byte string, so that results name the exact program text a
// driver received; self-contained because no system library serves every
// build.
#pragma once

#include <string>

// The digest as 64 lower-case hexadecimal digits.
std::string sha256Hex(const std::string& bytes);
