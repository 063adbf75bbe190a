// Driver identification: the GL strings of the current context, and the
// driver file that the platform finds for them.
#include "bench/marlune_gpu.h"

#include <optional>

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

    const std::string vendorDriverFile = driverFileForVendor(vendorString);
    const std::optional<platform::DriverStrings> driver =
        platform::current().locateDriver({vendorString, renderer, versionString, vendorDriverFile});
    if (!driver) {
        writeLine(vendorDriverFile + " driver not found");
        return false;
    }
    driverName = driver->name;
    driverCompany = driver->company;
    driverVersion = driver->version;
    driverDescription = driver->description;
    return true;
}

}  // namespace marlune_gpu
