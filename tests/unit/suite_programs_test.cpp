// The bundled suite: each language's folder holds only well-formed programs
// of that language, each saying in a comment what it computes, and every
// program has an ARBfp1.0 form. Mesa renders the ARB ones in the GL tests;
// the others are checked here, as no driver of this machine runs them.
#include <gtest/gtest.h>

#include <filesystem>
#include <set>
#include <string>

#include "bench/counted_work.h"
#include "bench/tables.h"
#include "tests/support/program_checker.h"

namespace {

namespace fs = std::filesystem;

const fs::path suiteFolder = fs::path(KORVEX_SOURCE_DIR) / "bench" / "suite";

std::set<std::string> programNames(const std::string& folder) {
    std::set<std::string> names;
    for (const fs::directory_entry& entry : fs::directory_iterator(suiteFolder / folder))
        names.insert(entry.path().filename().string());
    return names;
}

TEST(SuiteProgramsTest, EachFolderHoldsWellFormedProgramsOfItsLanguage) {
    for (std::uint8_t language : {FragmentProfile::ARB, FragmentProfile::FP1, FragmentProfile::FP2}) {
        const std::string folder = profileTable[language].name;
        const std::set<std::string> names = programNames(folder);
        EXPECT_FALSE(names.empty()) << folder;
        for (const std::string& name : names) {
            const std::string where = folder + "/" + name;
            const ProgramSource source = loadProgramText((suiteFolder / folder / name).string());
            const progcheck::ProgramCheck check = progcheck::checkProgram(programString(source));
            EXPECT_TRUE(check.wellFormed()) << where << ": " << check.problems.front();
            ASSERT_GE(source.size(), 2u) << where;
            EXPECT_EQ(0u, source[1].rfind("# ", 0)) << where << " says what it computes";

            const CountedWork work = countProgramWork(source);
            EXPECT_EQ(language, work.language) << where;
            EXPECT_FALSE(work.flowControl) << where << " has rates";
            EXPECT_GT(work.texels, 0) << where;
            EXPECT_GT(work.bytesWritten, 0) << where;
        }
        if (language != FragmentProfile::ARB) {
            const std::set<std::string> arb = programNames("ARB");
            for (const std::string& name : names) EXPECT_EQ(1u, arb.count(name)) << folder << "/" << name;
        }
    }
}

}  // namespace
