// The generator's language-neutral form of a fragment program: registers,
// swizzles, write masks and instructions, before any text is written.
#pragma once

#include <array>
#include <string>
#include <vector>

namespace fpgen {

// Components 0..3 stand for x, y, z, w.
using Components = std::vector<int>;

const Components& allComponents();
Components firstComponents(int count);

// Which register component each logical component reads. A scalar swizzle
// names one component and is written as ".x".
struct Swizzle {
    std::array<int, 4> from{0, 1, 2, 3};
    bool scalar = false;
};

Swizzle rotatedSwizzle(int by);  // by 1: .yzwx
Swizzle scalarSwizzle(int component);
// Reads only the components in `written`: an unwritten component reads the
// nearest written one below it (or the first written one), so no source ever
// touches a component the program never set.
Swizzle writtenOnlySwizzle(const Components& written);
// `outer` applied to a value that is itself read through `inner`.
Swizzle composeSwizzles(const Swizzle& inner, const Swizzle& outer);

enum class RegKind { temp, param, texcoord, constant, output, loopCount };

struct Reg {
    RegKind kind = RegKind::temp;
    std::string name;               // temporaries
    int index = 0;                  // parameter, texture coordinate set, output
    std::array<float, 4> values{};  // constants and the loop count
};

Reg tempReg(const std::string& name);
// A parameter, texture coordinate set, output or the loop count, by index.
Reg indexedReg(RegKind kind, int index);
Reg constantReg(float x, float y, float z, float w);
Reg splatReg(float value);

struct Src {
    Reg reg;
    Swizzle swizzle;
    bool negate = false;
};

Src readOf(const Reg& reg);
Src negated(Src src);
Src swizzled(Src src, const Swizzle& outer);

enum class Role { setup, tested, helper, combine, loopControl };

struct Instr {
    std::string op;  // ALU mnemonic, TEX, or a flow keyword (LOOP, REP, ENDLOOP, ENDREP)
    Role role = Role::setup;
    Reg dst;
    Components mask;  // written components; empty for flow keywords
    std::vector<Src> srcs;
    int textureUnit = 0;  // TEX only
    int runs = 1;         // how often it runs per pixel (loop bodies run once per iteration)
};

Instr makeInstr(const std::string& op, Role role, const Reg& dst, const Components& mask,
                std::vector<Src> srcs);

// A whole program, in the order it is written.
struct ProgramPlan {
    std::vector<std::string> temps;  // declaration order
    int outputs = 1;
    bool usesLoop = false;
    std::array<float, 4> loopCount{};
    std::vector<Instr> instrs;
};

}  // namespace fpgen
