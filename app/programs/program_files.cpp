#include "app/programs/program_files.h"

#include <algorithm>
#include <filesystem>

#include "app/bundled_data.h"
#include "base/errors.h"
#include "base/file_io.h"
#include "bench/tables.h"
#include "platform/platform.h"

namespace {

namespace fs = std::filesystem;

// What a refusal line names: the option and the path it gave.
struct Origin {
    std::string option;
    std::string path;
};

[[noreturn]] void refuse(const Origin& origin, const std::string& problem) {
    refuseOption(origin.option + (origin.path.empty() ? "" : " " + printableValue(origin.path)) + ": " +
                 problem);
}

// The start of the first line, enough to show which header it is.
std::string headerShown(const ProgramSource& source) {
    return source.empty() ? "" : printableValue(source[0].substr(0, 40));
}

std::string headerList() {
    std::string list;
    for (std::uint8_t language : {FragmentProfile::ARB, FragmentProfile::FP1, FragmentProfile::FP2})
        list += std::string(languageHeader(language)) + ", ";
    return list.substr(0, list.size() - 2) + " or " + languageHeader(FragmentProfile::FP4);
}

ProgramFile readProgramFile(const Origin& origin, const std::string& path) {
    // A control character in the name would break the result line.
    ProgramFile file{path, printableValue(fs::path(path).filename().string()), {}, {}};
    try {
        file.source = loadProgramText(path);
    } catch (const KorvexError& error) {
        refuse(origin, error.what());
    }
    file.counted = countProgramWork(file.source);
    if (file.counted.language == FragmentProfile::INVALID)
        refuse({origin.option, path},
               "the text starts \"" + headerShown(file.source) + "\", not " + headerList());
    return file;
}

void readChoice(const Origin& origin, std::vector<ProgramFile>& files) {
    if (!isFolder(origin.path)) {
        files.push_back(readProgramFile(origin, origin.path));
        return;
    }
    std::vector<std::string> names;
    try {
        names = regularFilesIn(origin.path);
    } catch (const KorvexError& error) {
        refuse(origin, error.what());
    }
    if (names.empty()) refuse(origin, "the folder holds no program files");
    for (const std::string& name : names)
        files.push_back(readProgramFile(origin, (fs::path(origin.path) / name).string()));
}

Origin suiteOrigin(std::uint8_t language) {
    const std::string folder = suiteFolder(language);
    if (folder.empty())
        refuse({"--suite", ""}, std::string("korvex bundles no ") + languageHeader(language) +
                                    " programs, only " + languageHeader(FragmentProfile::ARB) + ", " +
                                    languageHeader(FragmentProfile::FP1) + " and " +
                                    languageHeader(FragmentProfile::FP2) + " ones (-f arb, fp1, fp2)");
    return {"--suite", bundledDataFile(platform::current().nativePath(folder))};
}

}  // namespace

std::string suiteFolder(std::uint8_t language) {
    if (language != FragmentProfile::ARB && language != FragmentProfile::FP1 &&
        language != FragmentProfile::FP2)
        return "";
    return std::string("bench/suite/") + profileTable[language].name;
}

std::vector<std::string> bundledSuiteFiles() {
    std::vector<std::string> files;
    for (std::uint8_t language : {FragmentProfile::ARB, FragmentProfile::FP1, FragmentProfile::FP2}) {
        const std::string folder = bundledDataFile(platform::current().nativePath(suiteFolder(language)));
        if (!isFolder(folder)) continue;
        try {
            for (const std::string& name : regularFilesIn(folder))
                files.push_back((fs::path(folder) / name).string());
        } catch (const KorvexError&) {
            // A run that does not read the suite must not stop on it.
        }
    }
    return files;
}

std::vector<ProgramFile> takeProgramFiles(const RunOptions& options, BenchSettings& settings) {
    if (options.programs.empty()) return {};
    const std::string firstOption = options.programs[0].suite ? "--suite" : "--program";
    if (settings.allInstructions != 0 || settings.vectorAndScalar != 0 || settings.multipleOutputs != 0)
        refuseOption(firstOption + " runs program files as the tests; it does not combine with -a, -V or -M");

    std::vector<ProgramFile> files;
    for (const ProgramChoice& choice : options.programs) {
        const std::size_t first = files.size();
        const Origin origin =
            choice.suite ? suiteOrigin(settings.fragmentProgram) : Origin{"--program", choice.path};
        readChoice(origin, files);
        for (std::size_t k = first; k < files.size(); ++k) {
            if (files[k].counted.language == files[0].counted.language) continue;
            refuse({origin.option, files[k].path},
                   std::string("a ") + languageHeader(files[k].counted.language) + " program, and " +
                       printableValue(files[0].path) + " is " + languageHeader(files[0].counted.language) +
                       "; one run takes programs of one language");
        }
    }
    settings.fragmentProgram = files[0].counted.language;
    settings.nvOption = 0;
    for (const ProgramFile& file : files)
        settings.nvOption = std::max(settings.nvOption, file.counted.nvOption);
    return files;
}
