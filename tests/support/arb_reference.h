// A CPU reference for the ARB program texts korvex generates and bundles:
// parses the subset they use (with the NV option's precision suffixes, RFL,
// DIV, DP2, NRM and LOOP/REP; CMP, SGE, SLT, TXP and TXB on rectangle
// textures; ATTRIB and OUTPUT names; scalar constants; comments) and
// computes a fragment's colours the way the ARB and NV program
// specifications define each instruction.
#pragma once

#include <array>
#include <functional>
#include <map>
#include <string>
#include <vector>

namespace arbref {

using Vec4 = std::array<float, 4>;

struct FragmentInputs {
    std::array<Vec4, 8> texcoords{};
    std::map<int, Vec4> localParameters;  // missing ones read as zero
    std::map<int, Vec4> envParameters;
    // The texel of image unit `unit` at unnormalised coordinates (s, t).
    std::function<Vec4(int unit, float s, float t)> sample;
};

class ReferenceProgram {
public:
    // Raises std::runtime_error, naming the line, for text outside the subset.
    explicit ReferenceProgram(const std::string& text);

    // result.color (index 0) and result.color[n], as many as the program writes.
    std::vector<Vec4> run(const FragmentInputs& inputs) const;

    struct Operand {
        enum Kind { temp, local, env, texcoord, constant, output } kind = temp;
        int index = 0;  // temporary slot, parameter, set or output
        Vec4 values{};
        std::array<int, 4> swizzle{0, 1, 2, 3};
        bool negate = false;
        std::array<bool, 4> mask{true, true, true, true};
    };
    using Compute = Vec4 (*)(const std::vector<Vec4>& sources);
    struct Instruction {
        std::string op;
        Compute compute = nullptr;  // ALU instructions
        bool saturate = false;
        std::vector<Operand> operands;  // destination first, for ALU and TEX
        int textureUnit = 0;
        int line = 0;
    };

private:
    std::vector<Instruction> instructions_;
    int tempCount_ = 0;
    int outputCount_ = 0;
};

}  // namespace arbref
