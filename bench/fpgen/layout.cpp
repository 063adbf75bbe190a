#include "bench/fpgen/layout.h"

#include <algorithm>
#include <set>
#include <utility>

#include "bench/fpgen/kernels.h"
#include "bench/fpgen/text.h"

namespace fpgen {
namespace {

constexpr int chainCount = 2;
constexpr int maxLoopIterations = 4;

// Texels are blended into the seed at this weight, so eight fetches add at
// most 1 to it.
constexpr float texelWeight = 0.125f;

Reg texcoordReg(int set) { return indexedReg(RegKind::texcoord, set); }
Reg parameterReg(int index) { return indexedReg(RegKind::param, index); }
Reg outputReg(int index) { return indexedReg(RegKind::output, index); }

class Planner {
public:
    Planner(const std::string& op, const BenchSettings& settings, const Dialect& dialect, StepForm form)
        : op_(op),
          settings_(settings),
          dialect_(dialect),
          form_(form),
          components_(std::clamp(settings.components, 1, 4)),
          mask_(testedMask(op, components_)) {}

    ProgramPlan build() {
        plan_.outputs = settings_.multipleOutputs != 0 && dialect_.hasOptions()
                            ? std::clamp(settings_.outputCount, 1, 4)
                            : 1;
        emitSeeds();
        emitDerived();
        emitChains();
        emitCombine();
        if (form_ == StepForm::helpersOnly) dropUnreadSetup();
        return std::move(plan_);
    }

private:
    // Taking the tested instruction out leaves the values only it read (the
    // dot products' weights and what they derive from) unread: work the
    // compiler would remove while the count kept it.
    void dropUnreadSetup() {
        std::vector<Instr>& instrs = plan_.instrs;
        const auto readAfter = [&](std::size_t at) {
            return std::any_of(
                instrs.begin() + static_cast<std::ptrdiff_t>(at) + 1, instrs.end(), [&](const Instr& i) {
                    return std::any_of(i.srcs.begin(), i.srcs.end(), [&](const Src& s) {
                        return s.reg.kind == RegKind::temp && s.reg.name == instrs[at].dst.name;
                    });
                });
        };
        for (std::size_t at = instrs.size(); at-- > 0;) {
            if (instrs[at].role == Role::setup && instrs[at].dst.kind == RegKind::temp && !readAfter(at))
                instrs.erase(instrs.begin() + static_cast<std::ptrdiff_t>(at));
        }
    }

    Reg declare(const std::string& name) {
        plan_.temps.push_back(name);
        return tempReg(name);
    }

    void emit(const std::string& op, Role role, const Reg& dst, const Components& mask,
              std::vector<Src> srcs) {
        emit(makeInstr(op, role, dst, mask, std::move(srcs)));
    }

    void emit(Instr i) {
        i.runs = runs_;
        plan_.instrs.push_back(std::move(i));
    }

    // Two seeds the compiler cannot know: texture coordinates scaled into
    // [0, 1] and offset by a program parameter; the first also takes every
    // texel. Seeds stay non-negative whatever the parameters hold, zero
    // included.
    void emitSeeds() {
        u_ = declare("u");
        v_ = declare("v");
        emit("MUL", Role::setup, u_, allComponents(),
             {swizzled(readOf(texcoordReg(0)), Swizzle{{0, 1, 1, 0}}),
              readOf(constantReg(1.0f / 1024, 1.0f / 1536, 1.0f / 768, 1.0f / 512))});
        emit("ADD", Role::setup, u_, allComponents(), {readOf(u_), readOf(parameterReg(0))});
        emitFetches();
        emit("MUL", Role::setup, v_, allComponents(),
             {swizzled(readOf(texcoordReg(0)), Swizzle{{1, 0, 0, 1}}),
              readOf(constantReg(1.0f / 1536, 1.0f / 1024, 1.0f / 512, 1.0f / 768))});
        emit("ADD", Role::setup, v_, allComponents(), {readOf(v_), readOf(parameterReg(1))});
    }

    // Fetch k reads unit k mod 3 (or unit 0 alone) at texture coordinate set
    // k mod 4 (or set 0 alone). A fetch that would repeat an earlier one
    // reads at a whole-texel offset instead, since a compiler merges
    // identical fetches. Each fetch writes its own temporary, and the texels
    // are blended only after the last fetch: fetches that no ALU result
    // feeds are then one texture indirection, and the offset fetches, whose
    // coordinates are all computed before the first fetch, one more.
    void emitFetches() {
        const int count = std::min(settings_.textureFetches, 8);
        std::vector<Instr> fetches;
        std::vector<std::pair<int, int>> earlier;
        for (int k = 0; k < count; ++k) {
            const std::pair<int, int> key{settings_.multiTexCoords != 0 ? k % 4 : 0,
                                          settings_.fetchTexture != 0 ? k % 3 : 0};
            const int repeats = static_cast<int>(std::count(earlier.begin(), earlier.end(), key));
            earlier.push_back(key);
            const Reg texel = declare("t" + std::to_string(k));
            Src where = readOf(texcoordReg(key.first));
            if (repeats > 0) {
                emit("ADD", Role::setup, texel, {0, 1},
                     {where, readOf(constantReg(2.0f * repeats, 3.0f * repeats, 0.0f, 0.0f))});
                where = swizzled(readOf(texel), writtenOnlySwizzle({0, 1}));
            }
            fetches.push_back(makeInstr("TEX", Role::setup, texel, allComponents(), {where}));
            fetches.back().textureUnit = key.second;
        }
        for (Instr& fetch : fetches) emit(std::move(fetch));
        for (int k = 0; k < count; ++k) {
            emit("MAD", Role::setup, u_, allComponents(),
                 {readOf(tempReg("t" + std::to_string(k))), readOf(splatReg(texelWeight)), readOf(u_)});
        }
    }

    void emitDerived() {
        const KernelNeeds needs = kernelNeeds(op_);
        if (needs.scratch) derived_.scratch = declare("s");
        if (needs.signedInputs) {
            derived_.difference = declare("w");
            emit("ADD", Role::setup, derived_.difference, allComponents(), {readOf(u_), negated(readOf(v_))});
        }
        if (!needs.nearOne && !needs.half && needs.averagingScale == 0.0f) return;
        derived_.nearOne = declare("n");
        emit("MUL", Role::setup, derived_.nearOne, allComponents(), {readOf(u_), readOf(splatReg(0.004f))});
        emit("ADD", Role::setup, derived_.nearOne, allComponents(),
             {readOf(derived_.nearOne), readOf(splatReg(0.995f))});
        // Steps alternate between the chains, so the first chain's second
        // step, the first to read m, is the third step of the program.
        if (needs.mirror && settings_.length >= 3) {
            derived_.mirror = declare("m");
            emit("ADD", Role::setup, derived_.mirror, allComponents(),
                 {negated(readOf(derived_.nearOne)), readOf(splatReg(2.0f))});
        }
        if (needs.half) {
            derived_.half = declare("h");
            emit("MUL", Role::setup, derived_.half, allComponents(),
                 {readOf(derived_.nearOne), readOf(splatReg(0.5f))});
        }
        if (needs.averagingScale != 0.0f) {
            derived_.averaging = declare("g");
            emit("MUL", Role::setup, derived_.averaging, allComponents(),
                 {readOf(derived_.nearOne), readOf(splatReg(needs.averagingScale))});
        }
    }

    // Each chain reads only lanes it has written; before its first step it
    // reads its seed the same way.
    Src chainValue(const Reg& reg) const { return swizzled(readOf(reg), writtenOnlySwizzle(mask_)); }

    void emitChains() {
        current_[0] = chainValue(u_);
        current_[1] = chainValue(v_);
        const int length = std::max(settings_.length, 1);
        if (settings_.branching == 0 || !dialect_.hasLoops()) {
            for (int s = 0; s < length; ++s) emitStep(s % chainCount);
            return;
        }
        const int iterations = std::max(1, std::min(maxLoopIterations, length / 2));
        const int body = length / iterations;
        for (int j = 0; j < std::min(chainCount, body); ++j) {
            const Src seed = readOf(j == 0 ? u_ : v_);
            emit("MOV", Role::setup, chain(j), allComponents(), {seed});
            current_[j] = chainValue(chain(j));
        }
        plan_.usesLoop = true;
        plan_.loopCount = {static_cast<float>(iterations), 0.0f, 1.0f, 0.0f};
        const bool repeat = settings_.branching == 2 || dialect_.hasRepOnly();
        const Reg count = indexedReg(RegKind::loopCount, 0);
        const Src countRead = repeat ? swizzled(readOf(count), scalarSwizzle(0)) : readOf(count);
        emit(repeat ? "REP" : "LOOP", Role::loopControl, Reg{}, {}, {countRead});
        runs_ = iterations;
        for (int b = 0; b < body; ++b) emitStep(b % chainCount);
        emit(repeat ? "ENDREP" : "ENDLOOP", Role::loopControl, Reg{}, {}, {});
        runs_ = 1;
        for (int r = 0; r < length - body * iterations; ++r) emitStep((body + r) % chainCount);
    }

    Reg chain(int j) {
        if (chains_[j].name.empty()) chains_[j] = declare(j == 0 ? "x0" : "x1");
        return chains_[j];
    }

    void emitStep(int j) {
        StepContext context;
        context.chain = chain(j);
        context.current = current_[j];
        context.input = inputFor(j, steps_[j]);
        context.signedInput = signedInputFor(j, steps_[j]);
        context.chainStep = steps_[j];
        context.mask = mask_;
        context.derived = derived_;
        const auto step = form_ == StepForm::full ? kernelStep : helperStep;
        for (Instr& i : step(op_, context)) emit(std::move(i));
        current_[j] = chainValue(context.chain);
        ++steps_[j];
    }

    // Six per-pixel inputs in rotation: never a chain's own seed, and never
    // the same one twice in a row within a chain.
    static const std::pair<bool, int>& inputPick(int j, int step) {
        static const std::pair<bool, int> order[6] = {{false, 1}, {true, 2},  {true, 1},
                                                      {false, 2}, {false, 3}, {true, 3}};
        return order[(step * chainCount + j) % 6];
    }

    Src inputFor(int j, int step) const {
        const auto& pick = inputPick(j, step);
        return swizzled(readOf(pick.first ? v_ : u_), rotatedSwizzle(pick.second));
    }

    // Lanes of w = u - v, rotated differently from one step to the next.
    Src signedInputFor(int j, int step) const {
        return swizzled(readOf(derived_.difference), rotatedSwizzle((step * chainCount + j) % 4));
    }

    // Every output takes both chains through a different operation, so no
    // output is a copy of another.
    void emitCombine() {
        static const std::pair<const char*, bool> combine[4] = {
            {"ADD", false}, {"ADD", true}, {"MUL", false}, {"MAX", false}};
        for (int i = 0; i < plan_.outputs; ++i) {
            const Src second = combine[i].second ? negated(current_[1]) : current_[1];
            emit(combine[i].first, Role::combine, outputReg(i), firstComponents(components_),
                 {current_[0], second});
        }
    }

    std::string op_;
    const BenchSettings& settings_;
    Dialect dialect_;
    StepForm form_;
    int components_;
    Components mask_;
    ProgramPlan plan_;
    Reg u_, v_;
    DerivedInputs derived_;
    Reg chains_[chainCount];
    Src current_[chainCount];
    int steps_[chainCount] = {0, 0};
    int runs_ = 1;
};

}  // namespace

ProgramPlan planProgram(const std::string& op, const BenchSettings& settings, const Dialect& dialect,
                        StepForm form) {
    return Planner(op, settings, dialect, form).build();
}

namespace {

// ARB_fragment_program's count: a fetch starts a new indirection when its
// coordinate is a temporary written in the current one, or when it writes a
// temporary that an ALU instruction of the current one read or wrote.
int textureIndirections(const ProgramPlan& plan) {
    int indirections = 1;
    std::set<std::string> written, aluTouched;
    for (const Instr& i : plan.instrs) {
        const bool tempDestination = i.dst.kind == RegKind::temp && !i.dst.name.empty();
        if (i.op == "TEX") {
            const Reg& coordinate = i.srcs[0].reg;
            if ((coordinate.kind == RegKind::temp && written.count(coordinate.name) > 0) ||
                aluTouched.count(i.dst.name) > 0) {
                ++indirections;
                written.clear();
                aluTouched.clear();
            }
        } else {
            for (const Src& s : i.srcs) {
                if (s.reg.kind == RegKind::temp) aluTouched.insert(s.reg.name);
            }
            if (tempDestination) aluTouched.insert(i.dst.name);
        }
        if (tempDestination) written.insert(i.dst.name);
    }
    return indirections;
}

}  // namespace

ProgramWork accountWork(const ProgramPlan& plan, int components) {
    ProgramWork work;
    for (const Instr& i : plan.instrs) {
        work.instructions += i.runs;
        if (i.role == Role::tested) work.testedInstructions += i.runs;
        if (i.role == Role::helper) work.helperInstructions += i.runs;
        if (i.op == "TEX") {
            work.texels += i.runs;
        } else {
            work.flops += opcodeFlops(i.op, static_cast<int>(i.mask.size())) * i.runs;
        }
    }
    work.bytesWritten = 4 * std::clamp(components, 1, 4) * plan.outputs;
    work.textureIndirections = textureIndirections(plan);
    return work;
}

GeneratedProgram programAtLength(const std::string& op, const BenchSettings& settings, const Dialect& dialect,
                                 int length, StepForm form) {
    BenchSettings shaped = settings;
    shaped.length = length;
    const ProgramPlan plan = planProgram(op, shaped, dialect, form);
    return {writeProgram(plan, dialect, settings), accountWork(plan, settings.components)};
}

}  // namespace fpgen
