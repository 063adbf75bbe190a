#include "app/options/command_line.h"

#include <gtest/gtest.h>

#include <functional>

#include "app/options/classic_options.h"
#include "bench/marlune_common.h"
#include "bench/settings.h"
#include "platform/command_line_words.h"

namespace {

std::vector<std::string> split(const std::string& line) {
    std::vector<std::string> words;
    std::string word;
    for (char c : line + ' ') {
        if (c != ' ') {
            word += c;
        } else if (!word.empty()) {
            words.push_back(word);
            word.clear();
        }
    }
    return words;
}

struct OptionCase {
    const char* commandLine;
    std::function<void(BenchSettings&)> expectedChange;
};

// Each command line, applied to the defaults, changes exactly the fields the
// case names; every other field keeps its default.
const OptionCase optionCases[] = {
    {"", [](BenchSettings&) {}},
    {"-I 500", [](BenchSettings& s) { s.iterations = 500; }},
    {"-I 0", [](BenchSettings&) {}},
    {"-I -5", [](BenchSettings&) {}},
    {"-I abc", [](BenchSettings&) {}},
    {"-I", [](BenchSettings&) {}},
    {"-I $1F4", [](BenchSettings& s) { s.iterations = 500; }},
    {"-I 0x1f4", [](BenchSettings& s) { s.iterations = 500; }},
    {"--iterations 500", [](BenchSettings& s) { s.iterations = 500; }},
    {"--ITERATIONS 500", [](BenchSettings&) {}},
    {"/I 500", [](BenchSettings&) {}},
    {"-I 99999999999", [](BenchSettings&) {}},
    {"-I 500 -I 7", [](BenchSettings& s) { s.iterations = 500; }},
    {"--iterations 7 -I 500", [](BenchSettings& s) { s.iterations = 7; }},
    {"--size=256", [](BenchSettings&) {}},
    {"-s 1", [](BenchSettings&) {}},
    {"-s 2", [](BenchSettings& s) { s.size = 2; }},
    {"-s 4096", [](BenchSettings& s) { s.size = 4096; }},
    {"-s 4097", [](BenchSettings&) {}},
    {"-c 0", [](BenchSettings&) {}},
    {"-c 5", [](BenchSettings&) {}},
    {"-c 1", [](BenchSettings& s) { s.components = 1; }},
    {"-l 32", [](BenchSettings& s) { s.length = 32; }},
    {"-l 0", [](BenchSettings&) {}},
    {"-t", [](BenchSettings& s) { s.textureFetches = 1; }},
    {"-t 8", [](BenchSettings& s) { s.textureFetches = 8; }},
    {"-t 9", [](BenchSettings& s) { s.textureFetches = 1; }},
    {"-t 0", [](BenchSettings& s) { s.textureFetches = 1; }},
    {"/t", [](BenchSettings& s) { s.textureFetches = 1; }},
    {"/t 5", [](BenchSettings& s) { s.textureFetches = 1; }},
    {"-M", [](BenchSettings& s) { s.multipleOutputs = 1; }},
    {"-M 2", [](BenchSettings& s) { s.multipleOutputs = 1, s.outputCount = 2; }},
    {"-M 5", [](BenchSettings& s) { s.multipleOutputs = 1; }},
    {"/M", [](BenchSettings& s) { s.multipleOutputs = 1; }},
    {"-b rep", [](BenchSettings& s) { s.branching = 2; }},
    {"-b Repeat", [](BenchSettings& s) { s.branching = 2; }},
    {"-b r", [](BenchSettings& s) { s.branching = 2; }},
    {"-b l", [](BenchSettings& s) { s.branching = 1; }},
    {"--branching LOOP", [](BenchSettings& s) { s.branching = 1; }},
    {"-b lo", [](BenchSettings&) {}},
    {"-p q", [](BenchSettings& s) { s.primitive = 7; }},
    {"-p quad", [](BenchSettings& s) { s.primitive = 7; }},
    {"-p quads", [](BenchSettings&) {}},
    {"-p q -p t", [](BenchSettings& s) { s.primitive = 7; }},
    {"-P n", [](BenchSettings& s) { s.precisionHint = 1; }},
    {"-P fastest", [](BenchSettings& s) { s.precisionHint = 2; }},
    {"-o b", [](BenchSettings& s) { s.output = 3; }},
    {"-o disk", [](BenchSettings& s) { s.output = 2; }},
    {"-o screen", [](BenchSettings& s) { s.output = 1; }},
    {"-r k", [](BenchSettings& s) { s.resultPrefix = 0; }},
    {"-r MEGA", [](BenchSettings& s) { s.resultPrefix = 1; }},
    {"-n fp1", [](BenchSettings& s) { s.nvOption = 1; }},
    {"-n FP2", [](BenchSettings& s) { s.nvOption = 2; }},
    {"-n f1", [](BenchSettings&) {}},
    {"-n fp12", [](BenchSettings&) {}},
    {"-N h", [](BenchSettings& s) { s.nvInstructionPrecision = "H"; }},
    {"-N x", [](BenchSettings& s) { s.nvInstructionPrecision = "X"; }},
    {"-N half", [](BenchSettings&) {}},
    {"-g", [](BenchSettings& s) { s.gpuid = 1; }},
    {"-g e", [](BenchSettings& s) { s.gpuid = 2; }},
    {"-g extensions", [](BenchSettings& s) { s.gpuid = 2; }},
    {"-g x", [](BenchSettings& s) { s.gpuid = 1; }},
    {"-G", [](BenchSettings& s) { s.gpuid = 1; }},
    {"-G e", [](BenchSettings& s) { s.gpuid = 1; }},
    {"-S", [](BenchSettings&) {}},
    {"-S x", [](BenchSettings&) {}},
    {"--saveresult", [](BenchSettings&) {}},
    {"-T s", [](BenchSettings& s) { s.temporaries = 2; }},
    {"-T LONG", [](BenchSettings& s) { s.temporaries = 1; }},
    {"-L e", [](BenchSettings& s) { s.localParameters = 1; }},
    {"-L named", [](BenchSettings& s) { s.localParameters = 2; }},
    {"-l 32 -L e", [](BenchSettings& s) { s.length = 32, s.localParameters = 1; }},
    {"-C", [](BenchSettings& s) { s.clamp = 1; }},
    {"-V", [](BenchSettings& s) { s.vectorAndScalar = 1; }},
    {"-v", [](BenchSettings&) {}},
    {"-m", [](BenchSettings& s) { s.multiTexCoords = 1; }},
    {"-F single", [](BenchSettings& s) { s.fetchTexture = 0; }},
    {"-f arb -F s", [](BenchSettings& s) { s.fetchTexture = 0; }},
    {"-f fp2", [](BenchSettings& s) { s.fragmentProgram = 2; }},
    {"-f FP4", [](BenchSettings& s) { s.fragmentProgram = 3; }},
    {"-f fp", [](BenchSettings&) {}},
    {"-f nv", [](BenchSettings&) {}},
    {"-f invalid", [](BenchSettings&) {}},
    {"-f -a", [](BenchSettings& s) { s.allInstructions = 1; }},
    {"-a", [](BenchSettings& s) { s.allInstructions = 1; }},
    {"/a", [](BenchSettings& s) { s.allInstructions = 1; }},
    {"-A", [](BenchSettings& s) { s.allInstructions = 1; }},
    {"-a -i mul", [](BenchSettings& s) { s.instruction = 17; }},
    {"-i mul -a", [](BenchSettings& s) { s.instruction = 17; }},
    {"-a -i xyz", [](BenchSettings& s) { s.allInstructions = 1; }},
    {"-i abs", [](BenchSettings& s) { s.instruction = 0; }},
    {"-i ABS", [](BenchSettings& s) { s.instruction = 0; }},
    {"-i ab", [](BenchSettings&) {}},
    {"--instruction nrm", [](BenchSettings& s) { s.instruction = 28; }},
    {"-I 7 -c 2 -s 64 -g e -o d -f fp1 -L n",
     [](BenchSettings& s) {
         s.iterations = 7, s.components = 2, s.size = 64, s.gpuid = 2, s.output = 2, s.fragmentProgram = 1,
         s.localParameters = 2;
     }},
};

std::string describe(const BenchSettings& s) {
    std::string text;
    const auto field = [&](const char* name, long long value) {
        text += std::string(name) + "=" + std::to_string(value) + " ";
    };
    field("resultPrefix", s.resultPrefix), field("gpuid", s.gpuid), field("output", s.output);
    field("fragmentProgram", s.fragmentProgram), field("nvOption", s.nvOption);
    field("localParameters", s.localParameters), field("precisionHint", s.precisionHint);
    text += "nvInstructionPrecision=" + s.nvInstructionPrecision + " ";
    field("vectorAndScalar", s.vectorAndScalar), field("size", s.size), field("temporaries", s.temporaries);
    field("length", s.length), field("components", s.components), field("primitive", s.primitive);
    field("iterations", s.iterations), field("instruction", s.instruction), field("clamp", s.clamp);
    field("textureFetches", s.textureFetches), field("fetchTexture", s.fetchTexture);
    field("multiTexCoords", s.multiTexCoords), field("branching", s.branching);
    field("multipleOutputs", s.multipleOutputs), field("outputCount", s.outputCount);
    field("arbDrawBuffers", s.arbDrawBuffers), field("allInstructions", s.allInstructions);
    field("programCount", s.programCount), field("instructionMultiplier", s.instructionMultiplier);
    return text;
}

TEST(OptionsTest, EachCommandLineChangesExactlyTheNamedFields) {
    for (const OptionCase& test : optionCases) {
        BenchSettings actual = defaultBenchSettings;
        applyOptions(split(test.commandLine), actual);
        BenchSettings expected = defaultBenchSettings;
        test.expectedChange(expected);
        EXPECT_EQ(describe(expected), describe(actual)) << "command line: " << test.commandLine;
        EXPECT_TRUE(settingsInvariantsHold(actual)) << test.commandLine;
    }
}

TEST(OptionsTest, DefaultsDescribeTheSingleMadTest) {
    const BenchSettings& s = defaultBenchSettings;
    EXPECT_EQ(0, s.fragmentProgram);
    EXPECT_EQ(13, s.instruction);
    EXPECT_EQ(10000, s.iterations);
    EXPECT_EQ(64, s.length);
    EXPECT_EQ(4, s.components);
    EXPECT_EQ(512, s.size);
    EXPECT_EQ(4, s.primitive);
    EXPECT_EQ(2, s.resultPrefix);
    EXPECT_EQ(0, s.textureFetches);
    for (int i = 0; i < 29; ++i) EXPECT_EQ(i, s.arbTestList[i]);
    const std::uint8_t nvList[25] = {1,  2,  3,  4,  6,  7,  8,  9,  10, 11, 12, 13, 14,
                                     15, 16, 17, 18, 19, 20, 22, 23, 25, 26, 27, 28};
    for (int i = 0; i < 25; ++i) EXPECT_EQ(nvList[i], s.nvTestList[i]);
    EXPECT_TRUE(settingsInvariantsHold(s));
}

TEST(SwitchTest, LetterAndLongNameFollowTheirCaseRules) {
    const std::vector<std::string> parameters = {"/F", "--FragmentProgram", "x"};
    EXPECT_TRUE(findSwitch(parameters, "f", true));
    EXPECT_FALSE(findSwitch(parameters, "f", false));
    EXPECT_TRUE(findSwitch(parameters, "-fragmentprogram", true));
    EXPECT_FALSE(findSwitch(parameters, "x", true)) << "a parameter without a switch character is no switch";
    EXPECT_TRUE(findSwitch({"-"}, "", false)) << "a lone switch character leaves an empty rest";
}

TEST(OptionValueTest, TakesTheParameterAfterTheFirstExactMatch) {
    EXPECT_EQ("5", optionValue({"-I", "5", "-I", "6"}, "I", "iterations"));
    EXPECT_EQ("", optionValue({"-I"}, "I", "iterations"));
    EXPECT_EQ("", optionValue({"/I", "5"}, "I", "iterations"));
    EXPECT_EQ("-a", optionValue({"-f", "-a"}, "f", "fragmentprogram"));
    EXPECT_EQ("9", optionValue({"--iterations", "9"}, "I", "iterations"));
    EXPECT_EQ("", optionValue({}, "I", "iterations"));
}

TEST(ParseNumberTest, AcceptsTheDecimalAndHexadecimalForms) {
    const std::pair<const char*, int> cases[] = {
        {"500", 500},
        {"  500", 500},
        {"+500", 500},
        {"-500", -500},
        {"$1F4", 500},
        {"$1f4", 500},
        {"x1F4", 500},
        {"X1F4", 500},
        {"0x1F4", 500},
        {"0X1F4", 500},
        {"-$10", -16},
        {"2147483647", 2147483647},
        {"-2147483648", -2147483647 - 1},
        {"2147483648", 0},
        {"99999999999999999999", 0},
        {"$FFFFFFFF", -1},
        {"$100000000", 0},
        {"", 0},
        {" ", 0},
        {"-", 0},
        {"$", 0},
        {"0x", 0},
        {"500 ", 0},
        {"5 00", 0},
        {"abc", 0},
        {"12a", 0},
        {"\t5", 0},
        {"0", 0},
        {"007", 7},
        {"$g", 0},
        {"--5", 0},
    };
    for (const auto& [text, expected] : cases) EXPECT_EQ(expected, parseNumber(text)) << '"' << text << '"';
}

TEST(ParseNumberTest, UpperCaseTouchesOnlyAsciiLetters) { EXPECT_EQ("FP1-\xe9Z", upperCase("fp1-\xe9z")); }

TEST(SplitCommandLineTest, FollowsTheQuoteRules) {
    using Words = std::vector<std::string>;
    EXPECT_EQ((Words{"korvex", "-I", "5"}), splitCommandLine("korvex  -I\t5"));
    EXPECT_EQ((Words{"C:\\a b\\k.exe", "-o"}), splitCommandLine("\"C:\\a b\\k.exe\" -o"));
    EXPECT_EQ((Words{"a", "b"}), splitCommandLine("a \"\" b"));
    EXPECT_EQ((Words{"ab"}), splitCommandLine("a\"\"b"));
    EXPECT_EQ((Words{"x\\", "y"}), splitCommandLine("\"x\\\" y")) << "a backslash escapes nothing";
    EXPECT_EQ((Words{"open quote rest"}), splitCommandLine("\"open quote rest"));
    EXPECT_EQ(Words{}, splitCommandLine("   "));
}

}  // namespace
