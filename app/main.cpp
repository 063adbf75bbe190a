// korvex: a console benchmark of OpenGL assembly-level fragment programs.
#include <cstdio>
#include <new>

#include "app/main_block.h"
#include "base/errors.h"
#include "gl/GL.h"
#include "platform/platform.h"

namespace {

int reportUnhandled(const char* kindName, const std::string& message, const void* address) {
    std::fflush(stdout);
    const std::string report = unhandledErrorReport(kindName, platform::moduleFileName(), address, message);
    std::fwrite(report.data(), 1, report.size(), stderr);
    std::fflush(stderr);
    return exitcode::unhandledError;
}

int runProgram(int argc, char** argv) {
    try {
        return korvexMain(platform::commandLineParameters(argc, argv));
    } catch (const OrderlyStop& stop) {
        return stop.exitCode;
    } catch (const KorvexError& error) {
        return reportUnhandled(errorKindName(error.kind()), error.what(), error.address());
    } catch (const std::bad_alloc&) {
        return reportUnhandled(errorKindName(ErrorKind::outOfMemory), "Out of memory", nullptr);
    } catch (const std::exception& error) {
        return reportUnhandled(errorKindName(ErrorKind::general), error.what(), nullptr);
    }
}

}  // namespace

int main(int argc, char** argv) {
    platform::prepareConsole();
    platform::startUp();
    const int exitCode = runProgram(argc, argv);
    gl::clearOpenGL();
    return exitCode;
}
