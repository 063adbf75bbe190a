#include "bench/fpgen/ir.h"

namespace fpgen {

const Components& allComponents() {
    static const Components all = {0, 1, 2, 3};
    return all;
}

Components firstComponents(int count) {
    return Components(allComponents().begin(), allComponents().begin() + count);
}

Swizzle rotatedSwizzle(int by) {
    Swizzle s;
    for (int i = 0; i < 4; ++i) s.from[i] = (i + by) % 4;
    return s;
}

Swizzle scalarSwizzle(int component) {
    Swizzle s;
    s.from.fill(component);
    s.scalar = true;
    return s;
}

Swizzle writtenOnlySwizzle(const Components& written) {
    Swizzle s;
    for (int i = 0; i < 4; ++i) {
        int pick = written.front();
        for (int c : written) {
            if (c <= i) pick = c;
        }
        s.from[i] = pick;
    }
    return s;
}

Swizzle composeSwizzles(const Swizzle& inner, const Swizzle& outer) {
    Swizzle s;
    for (int i = 0; i < 4; ++i) s.from[i] = inner.from[outer.from[i]];
    s.scalar = outer.scalar;
    return s;
}

Reg tempReg(const std::string& name) {
    Reg r;
    r.name = name;
    return r;
}

Reg indexedReg(RegKind kind, int index) {
    Reg r;
    r.kind = kind;
    r.index = index;
    return r;
}

Reg constantReg(float x, float y, float z, float w) {
    Reg r;
    r.kind = RegKind::constant;
    r.values = {x, y, z, w};
    return r;
}

Reg splatReg(float value) { return constantReg(value, value, value, value); }

Src readOf(const Reg& reg) {
    Src s;
    s.reg = reg;
    return s;
}

Src negated(Src src) {
    src.negate = !src.negate;
    return src;
}

Src swizzled(Src src, const Swizzle& outer) {
    src.swizzle = composeSwizzles(src.swizzle, outer);
    return src;
}

Instr makeInstr(const std::string& op, Role role, const Reg& dst, const Components& mask,
                std::vector<Src> srcs) {
    Instr i;
    i.op = op;
    i.role = role;
    i.dst = dst;
    i.mask = mask;
    i.srcs = std::move(srcs);
    return i;
}

}  // namespace fpgen
