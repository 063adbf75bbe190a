// Program files as the run's tests (--program, --suite): read, counted and
// checked before anything opens.
#pragma once

#include <string>
#include <vector>

#include "app/options/run_options.h"
#include "bench/counted_work.h"
#include "bench/program_text.h"
#include "bench/settings.h"

struct ProgramFile {
    std::string path;   // as read: the name given, or the folder's joined with it
    std::string label;  // the file's name, without its folders, control characters as \xNN
    ProgramSource source;
    CountedWork counted;
};

// The bundled suite's folder for `language`, relative to the data folder;
// "" for a language it has no programs in.
std::string suiteFolder(std::uint8_t language);

// Every program file of the bundled suite where the run finds it; none for
// a folder that is not there or cannot be listed.
std::vector<std::string> bundledSuiteFiles();

// Reads the programs `options` name, in the order given: a folder gives its
// regular files in name order, --suite the bundled folder of the language
// -f chose. Sets the run's language from the files' headers, and for ARB
// programs the NV option the files ask for. Empty, changing nothing, without
// --program and --suite.
// Refuses with one line and exit code 2: a name that is missing, unreadable
// or neither a regular file nor a folder, a folder without files, a text
// whose header is no fragment program's, programs of two languages, --suite
// for a language without bundled programs, and program files together with
// -a, -V or -M.
std::vector<ProgramFile> takeProgramFiles(const RunOptions& options, BenchSettings& settings);
