// Driver identification: the GL strings of the current context and the
// driver's name, company, version and description.
#pragma once

#include <string>

namespace marlune_gpu {

extern std::string rendererName;
extern std::string vendorString;
extern std::string versionString;
extern std::string extensionsString;
extern std::string driverName;
extern std::string driverCompany;
extern std::string driverVersion;
extern std::string driverDescription;

// Reads the GL strings and locates the driver. False after printing
// "<driver file> driver not found".
bool identifyDriver();

// The GL_RENDERER text before its first "/", or all of it without one.
std::string rendererNameOf(const std::string& renderer);

// The vendor's driver file: "nvoglnt.dll" when the vendor string holds
// "NVIDIA", else "atioglxx.dll" when it holds "ATI", else "".
std::string driverFileForVendor(const std::string& vendor);

// Whether the vendor string names NVIDIA (case-sensitive).
bool isNvidiaVendor(const std::string& vendor);

}  // namespace marlune_gpu
