// Any byte string as a program text file: splitting it gives lines without
// breaks or NULs, its program string carries exactly those lines, and
// splitting the program string again gives the same lines. Counting its work
// stays within what the text can hold.
#include <sys/stat.h>
#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "bench/counted_work.h"
#include "bench/program_text.h"
#include "platform/output_file.h"
#include "tests/fuzz/fuzz_check.h"

namespace {

std::string scratchDirectory;
std::string scratchFile;

// Memory-backed where the system has it: a file round trip per input on a
// disk would slow the fuzzer a hundredfold.
std::string scratchBase() {
    struct stat info;
    return stat("/dev/shm", &info) == 0 && S_ISDIR(info.st_mode) ? "/dev/shm" : "/tmp";
}

void removeScratch() {
    std::remove(scratchFile.c_str());
    rmdir(scratchDirectory.c_str());
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    std::string pattern = scratchBase() + "/korvex-program-text-fuzz-XXXXXX";
    require(mkdtemp(pattern.data()) != nullptr, "a scratch directory can be made");
    scratchDirectory = pattern;
    scratchFile = scratchDirectory + "/fasm_1.txt";
    std::atexit(removeScratch);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string bytes(reinterpret_cast<const char*>(data), size);
    const ProgramSource lines = splitProgramText(bytes);

    std::size_t lineBytes = 0;
    for (const std::string& line : lines) {
        require(line.find_first_of(std::string("\r\n\0", 3)) == std::string::npos,
                "a line holds no CR, LF or NUL");
        lineBytes += line.size();
    }
    const std::string text = programString(lines);
    require(text.size() == lineBytes + 2 * lines.size(), "the program string is the lines, each with CR LF");
    require(lineBytes <= bytes.size(), "no line bytes are invented");
    require(splitProgramText(text) == lines, "splitting the program string gives the same lines");

    const CountedWork work = countProgramWork(lines);
    require(work.texels <= work.instructions && work.instructions <= static_cast<int>(text.size()),
            "no more fetches than instructions, no more instructions than bytes");
    require(work.bytesWritten >= 0 && work.flops >= 0, "no negative work");

    replaceFileAtomically(scratchFile, bytes);
    require(loadProgramText(scratchFile) == lines, "a file loads the lines its bytes split into");
    return 0;
}
