// The structure checker finds the faults it is there to find, and accepts
// texts that the language specifications allow.
#include "tests/support/program_checker.h"

#include <gtest/gtest.h>

#include <string>

namespace {

using progcheck::checkProgram;
using progcheck::Language;

struct BadText {
    const char* fault;
    const char* text;
    const char* problem;  // part of the first problem reported
};

const BadText badTexts[] = {
    {"unknown header", "!!ARBvp1.0\nEND", "unknown header"},
    {"no END", "!!ARBfp1.0\nMOV result.color, fragment.color;\n", "no END"},
    {"text after END", "!!ARBfp1.0\nEND\nMOV result.color, fragment.color;", "text after END"},
    {"NV opcode in plain ARB",
     "!!ARBfp1.0\nTEMP a;\nRFL a, fragment.color, fragment.color;\nMOV result.color, a;\nEND",
     "RFL is not an instruction"},
    {"precision suffix in plain ARB", "!!ARBfp1.0\nMOVH result.color, fragment.color;\nEND", "suffixes need"},
    {"X on an R/H opcode", "!!FP1.0\nRCPX R0, f[TEX0].x;\nMOVR o[COLR], R0;\nEND", "takes no X"},
    {"vector operand to a scalar opcode",
     "!!ARBfp1.0\nTEMP a;\nRCP a, fragment.color;\nMOV result.color, a;\nEND", "scalar operand"},
    {"ABS in FP1", "!!FP1.0\nABSR R0, f[TEX0];\nMOVR o[COLR], R0;\nEND", "ABS is not"},
    {"two attributes in FP1", "!!FP1.0\nADDR R0, f[TEX0], f[TEX1];\nMOVR o[COLR], R0;\nEND",
     "more than one attribute"},
    {"two parameters in FP1",
     "!!FP1.0\nDECLARE C0;\nDECLARE Cl;\nMADR R0, R1, C0, Cl;\nMOVR o[COLR], R0;\nEND",
     "more than one parameter"},
    {"two big constants in FP1", "!!FP1.0\nMADR R0, R1, {1, 2, 3, 4}, {5, 6, 7, 8};\nMOVR o[COLR], R0;\nEND",
     "more than one parameter"},
    {"no colour output in FP1", "!!FP1.0\nMOVR R0, f[TEX0];\nEND", "no colour output"},
    {"register budget in FP1",
     "!!FP1.0\nMOVR R0, R1;\nMOVR R2, R3;\nMOVR R4, R5;\nMOVR R6, R7;\nMOVR R8, R9;\nMOVR R10, R11;\nMOVR "
     "R12, "
     "R13;\nMOVR R14, R15;\nMOVR R16, R17;\nMOVR R18, R19;\nMOVR R20, R21;\nMOVR R22, R23;\nMOVR R24, "
     "R25;\nMOVR "
     "R26, R27;\nMOVR R28, R29;\nMOVR R30, R31;\nMOVH H0, H1;\nMOVR o[COLR], R0;\nEND",
     "registers use 66"},
    {"loop in FP1", "!!FP1.0\nDEFINE k = {2, 0, 1, 0};\nLOOP k;\nENDLOOP;\nMOVR o[COLR], R0;\nEND",
     "LOOP is not"},
    {"LOOP in NVfp4", "!!NVfp4.0\nPARAM k = {2, 0, 1, 0};\nLOOP k;\nENDLOOP;\nMOV result.color, 0;\nEND",
     "LOOP is not"},
    {"loop count above 255",
     "!!ARBfp1.0\nOPTION NV_fragment_program2;\nPARAM k = {256, 0, 1, 0};\nLOOP k;\nENDLOOP;\nMOV "
     "result.color, "
     "fragment.color;\nEND",
     "loop count"},
    {"unclosed loop", "!!FP2.0\nREP {2, 0, 1, 0};\nMOVR o[COLR], R0;\nEND", "a loop without ENDREP"},
    {"result.color[1] without draw buffers", "!!ARBfp1.0\nMOV result.color[1], fragment.color;\nEND",
     "needs OPTION ARB_draw_buffers"},
    {"both precision hints",
     "!!ARBfp1.0\nOPTION ARB_precision_hint_fastest;\nOPTION ARB_precision_hint_nicest;\nMOV result.color, "
     "fragment.color;\nEND",
     "together"},
    {"undeclared temporary", "!!ARBfp1.0\nMOV result.color, a;\nEND", "unknown operand a"},
    {"writing a parameter", "!!ARBfp1.0\nPARAM p = program.local[0];\nMOV p, fragment.color;\nEND",
     "cannot write p"},
    {"mask out of order", "!!ARBfp1.0\nTEMP a;\nMOV a.yx, fragment.color;\nMOV result.color, a;\nEND",
     "bad write mask"},
    {"RFL writing w", "!!FP1.0\nRFLR R0, f[TEX0], R1;\nMOVR o[COLR], R0;\nEND", "must not write w"},
    {"SCS writing z", "!!ARBfp1.0\nTEMP a;\nSCS a.xyz, fragment.color.x;\nMOV result.color, a;\nEND",
     "SCS writes only"},
    {"short temporaries in plain ARB", "!!ARBfp1.0\nSHORT TEMP a;\nMOV result.color, fragment.color;\nEND",
     "need the NV option"},
    {"a named parameter that looks like a register", "!!FP1.0\nDECLARE R3;\nMOVR o[COLR], f[TEX0];\nEND",
     "bad name"},
    {"a precision suffix on SCS under the NV option",
     "!!ARBfp1.0\nOPTION NV_fragment_program;\nTEMP a;\nSCSH_SAT a.xy, fragment.color.x;\nMOV "
     "result.color, a;\nEND",
     "SCS takes no precision suffix"},
    {"X in NVfp4", "!!NVfp4.0\nTEMP a;\nMOVX a, fragment.color;\nMOV result.color, a;\nEND", "takes no X"},
    {"an integer constant in ARB", "!!ARBfp1.0\nMOV result.color, {0.5, 2, 0.0, 1.0};\nEND",
     "integer constant 2 "},
    {"an integer in an untyped NVfp4 PARAM",
     "!!NVfp4.0\nPARAM k = {4, 0.0, 1.0, 0.0};\nMOV result.color, k;\nEND",
     "integer constant 4 in an untyped"},
    {"a condition-code mask in plain ARB", "!!ARBfp1.0\nMOV result.color (GT.x), fragment.color;\nEND",
     "condition-code masks need"},
    {"a bad condition-code mask", "!!FP1.0\nMOVR o[COLR] (GX.x), f[TEX0];\nEND", "bad condition-code mask"},
    {"TEX without a target", "!!ARBfp1.0\nTEX result.color, fragment.texcoord[0], texture[0];\nEND",
     "takes 4 operands"},
};

TEST(ProgramCheckerTest, FindsEachFault) {
    for (const BadText& bad : badTexts) {
        const progcheck::ProgramCheck check = checkProgram(bad.text);
        ASSERT_FALSE(check.wellFormed()) << bad.fault;
        bool found = false;
        for (const std::string& problem : check.problems)
            found = found || problem.find(bad.problem) != std::string::npos;
        EXPECT_TRUE(found) << bad.fault << ": got \"" << check.problems.front() << "\"";
    }
}

TEST(ProgramCheckerTest, AcceptsWhatTheLanguagesAllow) {
    struct GoodText {
        Language language;
        const char* text;
    };
    const GoodText goodTexts[] = {
        {Language::arb,
         "!!ARBfp1.0\n# a comment\nOPTION ARB_precision_hint_fastest;\nPARAM c = {0.5, 1.0, 2.0, 3e0};\nTEMP "
         "a, "
         "b;\n"
         "TEX a, fragment.texcoord[1], texture[2], RECT;\nMAD_SAT b.xy, a, c.x, -a.zwxy;\n"
         "MOV result.color, b;\nEND\n"},
        {Language::arbNv,
         "!!ARBfp1.0\nOPTION NV_fragment_program;\nSHORT TEMP a;\nRFLH a.xyz, fragment.color, "
         "fragment.texcoord;\nADDX_SAT result.color, |a|, -a;\nEND"},
        {Language::arbNv2,
         "!!ARBfp1.0\nOPTION NV_fragment_program2;\nPARAM k = {4.0, 0.0, 1.0, 0.0};\nTEMP a;\nMOV a, 0.0;\n"
         "LOOP k;\nREP k.x;\nDIVR a, a, k.y;\nENDREP;\nENDLOOP;\nNRMH a.xyz, a;\nSCSH a.xy, a.x;\n"
         "MOV result.color, a;\nEND"},
        {Language::fp1,
         "!!FP1.0\nDECLARE C0 = {1.0, 2.0, 3.0, 4.0};\nDEFINE half = {0.5, 0.5, 0.5, 0.5};\nTEX H0, f[TEX0], "
         "TEX1, "
         "RECT;\n"
         "MADR R0, H0, C0, f[TEX0];\nMULH_SAT H1.xy, R0, half;\nMOVR o[COLR], H1;\n"
         "ADDRC R0.x, R0, -half;\nMOVR o[COLR].xy (GT.xxyy), R0;\nEND"},
        {Language::fp2,
         "!!FP2.0\nDEFINE k = {3.0, 0.0, 1.0, 0.0};\nREP k.x;\nDP2R R0.x, R0, f[TEX0];\nENDREP;\n"
         "MOVR o[COLR], R0;\nEND"},
        {Language::nvfp4,
         "!!NVfp4.0\nOPTION ARB_draw_buffers;\nPARAM k = {2.0, 0.0, 1.0, 0.0};\nLONG TEMP a;\nREP k.x;\n"
         "MUL.F.SAT a, fragment.texcoord[0], 2;\nENDREP;\nSCS result.color[1].xy, a.x;\nEND"},
    };
    for (const GoodText& good : goodTexts) {
        const progcheck::ProgramCheck check = checkProgram(good.text);
        EXPECT_EQ(good.language, check.language) << good.text;
        EXPECT_TRUE(check.wellFormed()) << good.text << "\n" << check.problems.front();
    }
}

TEST(ProgramCheckerTest, ReportsDeclaredNamesLoopCountsAndTheLineOfAProblem) {
    const progcheck::ProgramCheck check = checkProgram(
        "!!FP2.0\nDECLARE C0;\nDECLARE Cl;\nDEFINE k = {7.0, 0.0, 1.0, 0.0};\nLOOP k;\nADDR R0, R0, C0;\n"
        "ENDLOOP;\nMOVR o[COLR], R0;\nBOGUS R0;\nEND");
    EXPECT_EQ((std::vector<std::string>{"C0", "Cl"}), check.namedParameters);
    EXPECT_EQ(std::vector<int>{7}, check.loopCounts);
    ASSERT_EQ(1u, check.problems.size());
    EXPECT_EQ(0u, check.problems[0].find("line 9: ")) << check.problems[0];
}

TEST(ProgramCheckerTest, SurvivesArbitraryBytes) {
    const std::string texts[] = {"",
                                 "!!ARBfp1.0",
                                 "!!FP1.0\n;;;;END",
                                 "!!ARBfp1.0\n{{{{;END",
                                 "!!FP1.0\nMOVR o[COLR], -;\nEND",
                                 std::string("!!NVfp4.0\0\xff;", 13),
                                 "!!ARBfp1.0\nMOV result.color[, |;\nEND",
                                 "!!FP2.0\nENDREP;\nLOOP ;\nEND"};
    for (const std::string& text : texts) EXPECT_FALSE(checkProgram(text).wellFormed()) << text;
}

}  // namespace
