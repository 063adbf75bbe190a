// BenchSettings: the one process-wide record of every run setting. Its
// defaults are its initial contents.
#pragma once

#include <cstdint>
#include <string>

struct BenchSettings {
    std::uint8_t arbTestList[29];
    std::uint8_t nvTestList[25];
    std::uint8_t resultPrefix;
    int gpuid;
    int output;
    std::uint8_t fragmentProgram;
    int nvOption;
    int localParameters;
    int precisionHint;
    std::string nvInstructionPrecision;
    int vectorAndScalar;
    int size;
    int temporaries;
    int length;
    int components;
    int primitive;
    int iterations;
    std::uint8_t instruction;
    int clamp;
    int textureFetches;
    int fetchTexture;
    int multiTexCoords;
    std::uint8_t branching;
    int multipleOutputs;
    int outputCount;
    int arbDrawBuffers;
    int latencySizeFirst;
    int latencySizeLast;
    int allInstructions;
    int programCount;
    int instructionMultiplier;
};

extern BenchSettings benchSettings;

// The record as it stands at program start, for resetting in tests.
extern const BenchSettings defaultBenchSettings;

// Whether the record keeps every invariant of its fields.
bool settingsInvariantsHold(const BenchSettings& settings);
