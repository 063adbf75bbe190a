// Driver identification: the GL strings of the current context, and the
// driver file that the platform finds for them.
#include "bench/marlune_gpu.h"

#include "base/console.h"
#include "gl/GL.h"
#include "platform/platform.h"

namespace marlune_gpu {

std::string rendererName;
std::string vendorString;
std::string versionString;
std::string extensionsString;
std::string driverName;
std::string driverCompany;
std::string driverVersion;
std::string driverDescription;

namespace {

std::string glString(GLenum name) {
    const GLubyte* text = gl::glGetString ? gl::glGetString(name) : nullptr;
    return text ? reinterpret_cast<const char*>(text) : "";
}

}  // namespace

std::string rendererNameOf(const std::string& renderer) { return renderer.substr(0, renderer.find('/')); }

bool isNvidiaVendor(const std::string& vendor) { return vendor.find("NVIDIA") != std::string::npos; }

std::string driverFileForVendor(const std::string& vendor) {
    if (isNvidiaVendor(vendor)) return "nvoglnt.dll";
    if (vendor.find("ATI") != std::string::npos) return "atioglxx.dll";
    return "";
}

bool identifyDriver() {
    const std::string renderer = glString(glenum::RENDERER);
    rendererName = rendererNameOf(renderer);
    vendorString = glString(glenum::VENDOR);
    versionString = glString(glenum::VERSION);
    extensionsString = glString(glenum::EXTENSIONS);

    const platform::DriverSearch search = platform::locateDriver(vendorString, renderer, versionString);
    if (!search.driver) {
        writeLine(search.fileName + " driver not found");
        return false;
    }
    driverName = search.driver->name;
    driverCompany = search.driver->company;
    driverVersion = search.driver->version;
    driverDescription = search.driver->description;
    return true;
}

}  // namespace marlune_gpu
