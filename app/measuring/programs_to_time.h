// The programs a run times for each test, and binding one to time it.
#pragma once

#include <string>
#include <vector>

#include "app/measuring/progress_line.h"
#include "app/programs/compiled_set.h"
#include "gl/gl_types.h"

struct ProgramToTime {
    GLuint id;
    int test;           // the test it belongs to, from 0
    std::string label;  // as the progress line shows it
};

// Test `test`'s own program, then, with net figures, its variants in order,
// leaving out the one whose text is the test's (the test's timing stands for
// it).
std::vector<ProgramToTime> programsOfTest(int test, const CompiledSet& programs);

// Binds `program` with the test parameters and shows it on the progress line.
void bindToTime(const ProgramToTime& program, ProgressLine& progress);
