// What a run measured, kept for the machine-readable result files.
#pragma once

#include <nlohmann/json.hpp>
#include <optional>
#include <string>
#include <vector>

#include "app/program_timing.h"
#include "app/result_lines.h"

struct TestRecord {
    TestFigures figures;
    std::string profile;
    std::optional<std::string> instruction;  // none for the bundled program
    std::string programSha256;
    int instructionMultiplier;
    TimedProgram timed;
    std::vector<std::string> warnings;          // the warning lines printed after the block
    std::optional<nlohmann::ordered_json> net;  // the rate net of the fixed cost, when measured
};

struct LatencyRecord {
    int outputs;
    int components;
    double ms;
    double bytesPerSecond;
    int iterations;
    std::vector<double> sectionsMs;  // every timed section, so that runs can be compared
};

struct RunRecord {
    std::string startedUtc;
    std::vector<TestRecord> tests;
    std::vector<LatencyRecord> latency;
};

extern RunRecord runRecord;
