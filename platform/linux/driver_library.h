// Recognising the GL driver among the loaded libraries, and reading its
// version from names: pure text work.
#pragma once

#include <string>
#include <vector>

namespace linux_driver {

// The loaded library that is the GL driver, by file name: a "*_dri.so",
// "libgallium*.so*", "libnvidia-glcore.so*", "libnvidia-eglcore.so*" or
// "libEGL_nvidia.so*", preferred in that order, the first loaded of each
// kind. Empty when none of `paths` is one.
std::string chooseDriverLibrary(const std::vector<std::string>& paths);

// The version that a real file name carries: "550.54.14" for
// "libnvidia-glcore.so.550.54.14", "24.2.8" for "libgallium-24.2.8.so";
// empty when it carries none.
std::string fileNameVersion(const std::string& fileName);

// The driver version in a GL_VERSION string: the word after "Mesa"
// ("4.5 (Compatibility Profile) Mesa 22.3.6" gives "22.3.6"), else the last
// word of the vendor-specific part, else the whole string.
std::string glVersionDriverVersion(const std::string& version);

}  // namespace linux_driver
