// The work counted from a program text against programs counted by hand:
// instructions, ALU opcodes, flops, texels, bytes written, flow control and
// the language, in every language korvex loads.
#include "bench/counted_work.h"

#include <gtest/gtest.h>

#include "bench/tables.h"

namespace {

TEST(CountedWorkTest, TheHeaderAloneNamesTheLanguage) {
    const std::pair<const char*, std::uint8_t> cases[] = {
        {"!!ARBfp1.0", FragmentProfile::ARB},
        {"!!ARBfp1.0 # a comment", FragmentProfile::ARB},
        {"!!FP1.0", FragmentProfile::FP1},
        {"!!FP2.0\tMOVR o[COLR], R0;", FragmentProfile::FP2},
        {"!!NVfp4.0", FragmentProfile::FP4},
        {"!!ARBvp1.0", FragmentProfile::INVALID},
        {"!!NVvp4.0", FragmentProfile::INVALID},
        {"!!ARBfp1.00", FragmentProfile::INVALID},
        {" !!ARBfp1.0", FragmentProfile::INVALID},
        {"!!arbfp1.0", FragmentProfile::INVALID},
        {"", FragmentProfile::INVALID},
    };
    for (const auto& [header, language] : cases) {
        EXPECT_EQ(language, programLanguage({header, "END"})) << header;
    }
    EXPECT_EQ(FragmentProfile::INVALID, programLanguage({}));
}

struct Counts {
    int instructions, flops, texels, bytesWritten;
};

struct HandCount {
    const char* name;
    const char* text;
    Counts counts;
    std::map<std::string, int> alu;
    bool flowControl = false;
    int nvOption = 0;
};

const HandCount handCounts[] = {
    {"ARB: masks, an output name, two draw buffers, texture instructions, text after END",
     "!!ARBfp1.0\n"
     "OPTION ARB_draw_buffers;\n"
     "OUTPUT glow = result.color[1];\n"
     "TEMP n, c;  # TEX inside a comment: TEX c, c, texture[0], 2D;\n"
     "TXP c, fragment.texcoord[0], texture[0], 2D;\n"
     "TXB n, fragment.texcoord[1], texture[1], 2D;\n"
     "DP3 n.w, n, n;             # 5\n"
     "RSQ n.w, n.w;              # 1\n"
     "MUL n.xyz, n, n.w;         # 3\n"
     "CMP c.rgb, -n, 0.5, c;     # outside the table: 0\n"
     "KIL c;\n"
     "MOV result.color.xyz, c;   # output 0: xyz\n"
     "MAD_SAT result.color.w,\n"
     "        c.w, 0.5, 0.5;     # 2, output 0: w\n"
     "MUL glow.xy, c, n;         # 2, output 1: xy\n"
     "END\n"
     "MUL c, c, c;\n",
     {10, 13, 2, 24},
     {{"DP3", 1}, {"RSQ", 1}, {"MUL", 2}, {"CMP", 1}, {"MOV", 1}, {"MAD", 1}}},
    {"FP1.0: precision and condition-code suffixes, conditional writes, a half-precision output",
     "!!FP1.0\n"
     "DEFINE half = {0.5, 0.5, 0.5, 0.5};\n"
     "DECLARE tint;\n"
     "TEX H0, f[TEX0], TEX0, 2D;\n"
     "MULH H1.xyz, H0, half;       # 3\n"
     "ADDHC H2, H1, -half;         # 4\n"
     "MOVH H1.xyz (GT.xyzw), H0;   # 0\n"
     "RFLR R0.xyz, R1, f[TEX1];    # 18\n"
     "LG2R_SAT R2.x, H1.x;         # 1\n"
     "KIL LT.x;\n"
     "MOVH o[COLH].xyz, H1;\n"
     "END\n",
     {8, 26, 1, 12},
     {{"MUL", 1}, {"ADD", 1}, {"MOV", 2}, {"RFL", 1}, {"LG2", 1}}},
    {"NVfp4.0: opcode modifiers, typed declarations, LOD and texel fetches",
     "!!NVfp4.0\n"
     "FLOAT TEMP a, b;\n"
     "INT TEMP i;\n"
     "TXL a, fragment.texcoord[0], texture[0], 2D;\n"
     "TXF b, i, texture[1], 2D;\n"
     "TXQ i, 0, texture[1], 2D;\n"
     "DIV.F a.xy, a, b.x;          # 2\n"
     "SHL.S i, i, 1;               # outside the table: 0\n"
     "MUL.F.SAT result.color, a, b;  # 4\n"
     "END\n",
     {6, 6, 2, 16},
     {{"DIV", 1}, {"SHL", 1}, {"MUL", 1}}},
    {"ARB with the NV2 option: a branch around a loop",
     "!!ARBfp1.0\n"
     "OPTION NV_fragment_program2;\n"
     "PARAM count = {4, 0, 1, 0};\n"
     "TEMP a;\n"
     "MOVC a, fragment.texcoord[0];\n"
     "IF GT.x;\n"
     "  LOOP count;\n"
     "    ADDR a, a, 0.25;         # 4, once as written\n"
     "  ENDLOOP;\n"
     "ELSE;\n"
     "  MOV a, -a;\n"
     "ENDIF;\n"
     "MOV result.color, a;\n"
     "END\n",
     {9, 4, 0, 16},
     {{"MOV", 3}, {"ADD", 1}},
     true,
     2},
    {"FP2.0: a repeated block",
     "!!FP2.0\n"
     "DEFINE n = {3, 0, 0, 0};\n"
     "REP n;\n"
     "  MADR R0, f[TEX0], 0.5, R0;   # 8\n"
     "ENDREP;\n"
     "MOVR o[COLR], R0;\n"
     "END\n",
     {4, 8, 0, 16},
     {{"MAD", 1}, {"MOV", 1}},
     true},
    {"NVfp4.0: a subroutine behind a label",
     "!!NVfp4.0\n"
     "TEMP r;\n"
     "CAL shade;\n"
     "MOV.F result.color.xyz, r;\n"
     "RET;\n"
     "shade:\n"
     "  MUL.F r, fragment.texcoord[0], 2;   # 4\n"
     "  RET;\n"
     "END\n",
     {5, 4, 0, 12},
     {{"MOV", 1}, {"MUL", 1}},
     true},
    {"ARB with the NV option, whose instructions do not branch",
     "!!ARBfp1.0\n"
     "OPTION NV_fragment_program;\n"
     "SHORT TEMP t;\n"
     "ALIAS out = result.color;\n"
     "DDX t, fragment.texcoord[0];\n"
     "SGTHC t.xy, t, 0;\n"
     "MOVX out (NE.xyxy), |t|;\n"
     "END\n",
     {3, 0, 0, 16},
     {{"DDX", 1}, {"SGT", 1}, {"MOV", 1}},
     false,
     1},
};

TEST(CountedWorkTest, HandCountedProgramsGiveTheirCounts) {
    for (const HandCount& hand : handCounts) {
        const CountedWork work = countProgramWork(splitProgramText(hand.text));
        EXPECT_EQ(hand.counts.instructions, work.instructions) << hand.name;
        EXPECT_EQ(hand.counts.flops, work.flops) << hand.name;
        EXPECT_EQ(hand.counts.texels, work.texels) << hand.name;
        EXPECT_EQ(hand.counts.bytesWritten, work.bytesWritten) << hand.name;
        EXPECT_EQ(hand.alu, work.aluByOpcode) << hand.name;
        EXPECT_EQ(hand.flowControl, work.flowControl) << hand.name;
        EXPECT_EQ(hand.nvOption, work.nvOption) << hand.name;
    }
}

// The bundled blur: 5 fetches, a MAD and three LRP on all four components.
TEST(CountedWorkTest, TheBundledProgramCountsNineInstructions) {
    const CountedWork work = countProgramWork(loadProgramText(KORVEX_SOURCE_DIR "/fasm_1.txt"));
    EXPECT_EQ(FragmentProfile::ARB, work.language);
    EXPECT_EQ(9, work.instructions);
    EXPECT_EQ(8 + 3 * 12, work.flops);
    EXPECT_EQ(5, work.texels);
    EXPECT_EQ(16, work.bytesWritten);
    EXPECT_FALSE(work.flowControl);
}

TEST(CountedWorkTest, TextsADriverWouldRejectAreCountedWithoutFault) {
    const char* const texts[] = {
        "!!ARBvp1.0\nMOV result.position, vertex.position;\nEND",
        "!!ARBfp1.0\nALIAS a = b;\nALIAS b = a;\nMOV a, fragment.color;\nEND",
        "!!ARBfp1.0\nMOV result.color[, fragment.color",
        "!!ARBfp1.0\n;;:;:MOV;.;result.color.;[;]",
        "!!NVfp4.0\nMUL.SAT._SAT.C.X\nEND",
        "!!FP1.0",
    };
    for (const char* text : texts) {
        const CountedWork work = countProgramWork(splitProgramText(text));
        EXPECT_LE(work.texels, work.instructions) << text;
        EXPECT_LE(work.bytesWritten, 16) << text;
    }
    EXPECT_EQ(0, countProgramWork(splitProgramText(texts[0])).instructions) << "not a fragment program";
}

}  // namespace
