#include "bench/fpgen/text.h"

#include <algorithm>
#include <locale>
#include <sstream>

namespace fpgen {
namespace {

const char componentLetters[] = "xyzw";

bool isFlow(const std::string& op) {
    return op == "LOOP" || op == "REP" || op == "ENDLOOP" || op == "ENDREP";
}

class Writer {
public:
    Writer(const ProgramPlan& plan, const Dialect& dialect, const BenchSettings& settings)
        : plan_(plan), dialect_(dialect), settings_(settings) {}

    ProgramSource write() {
        writeHeader();
        writeDeclarations();
        for (const Instr& i : plan_.instrs) lines_.push_back(instruction(i));
        lines_.push_back("END");
        return std::move(lines_);
    }

private:
    bool numbered() const { return dialect_.usesNumberedRegisters(); }

    void writeHeader() {
        switch (dialect_.language) {
            case Language::arb:
                lines_.push_back("!!ARBfp1.0");
                break;
            case Language::fp1:
                lines_.push_back("!!FP1.0");
                break;
            case Language::fp2:
                lines_.push_back("!!FP2.0");
                break;
            case Language::nvfp4:
                lines_.push_back("!!NVfp4.0");
                break;
        }
        if (!dialect_.hasOptions()) return;
        if (dialect_.nvOption == 1) lines_.push_back("OPTION NV_fragment_program;");
        if (dialect_.nvOption == 2) lines_.push_back("OPTION NV_fragment_program2;");
        if (settings_.precisionHint == 1) lines_.push_back("OPTION ARB_precision_hint_nicest;");
        if (settings_.precisionHint == 2) lines_.push_back("OPTION ARB_precision_hint_fastest;");
        if (plan_.outputs > 1) lines_.push_back("OPTION ARB_draw_buffers;");
    }

    void writeDeclarations() {
        const std::string loopCount = constant(plan_.loopCount);
        if (numbered()) {
            if (settings_.localParameters == 2) {
                lines_.push_back("DECLARE C0;");
                lines_.push_back("DECLARE Cl;");
            }
            if (plan_.usesLoop) lines_.push_back("DEFINE loopCount = " + loopCount + ";");
            return;
        }
        const std::string binding = settings_.localParameters == 1 ? "program.env" : "program.local";
        lines_.push_back("PARAM C0 = " + binding + "[0];");
        lines_.push_back("PARAM Cl = " + binding + "[1];");
        if (plan_.usesLoop) lines_.push_back("PARAM loopCount = " + loopCount + ";");
        std::string temps;
        for (const std::string& name : plan_.temps) temps += (temps.empty() ? "" : ", ") + name;
        lines_.push_back(storagePrefix() + "TEMP " + temps + ";");
    }

    std::string storagePrefix() const {
        if (!dialect_.hasStorageDeclarations()) return "";
        if (settings_.temporaries == 1) return "LONG ";
        if (settings_.temporaries == 2) return "SHORT ";
        return "";
    }

    static std::string constant(const std::array<float, 4>& v) {
        return "{" + programNumber(v[0]) + ", " + programNumber(v[1]) + ", " + programNumber(v[2]) + ", " +
               programNumber(v[3]) + "}";
    }

    std::string reg(const Reg& r) const {
        switch (r.kind) {
            case RegKind::temp:
                return numbered() ? numberedTemp(r.name) : r.name;
            case RegKind::param:
                if (numbered() && settings_.localParameters != 2) return "p[" + std::to_string(r.index) + "]";
                return r.index == 0 ? "C0" : "Cl";
            case RegKind::texcoord:
                return numbered() ? "f[TEX" + std::to_string(r.index) + "]"
                                  : "fragment.texcoord[" + std::to_string(r.index) + "]";
            case RegKind::constant:
                return constant(r.values);
            case RegKind::output:
                if (numbered()) return "o[COLR]";
                return plan_.outputs > 1 ? "result.color[" + std::to_string(r.index) + "]" : "result.color";
            case RegKind::loopCount:
                return "loopCount";
        }
        return "";
    }

    // FP1.0 syntax has no declarations: each temporary is a numbered H
    // (16-bit) register for short temporaries, else an R (32-bit) one.
    std::string numberedTemp(const std::string& name) const {
        const auto at = std::find(plan_.temps.begin(), plan_.temps.end(), name) - plan_.temps.begin();
        return (settings_.temporaries == 2 ? "H" : "R") + std::to_string(at);
    }

    static std::string mask(const Components& components) {
        if (components.size() == 4) return "";
        std::string text = ".";
        for (int c : components) text += componentLetters[c];
        return text;
    }

    static std::string swizzle(const Swizzle& s) {
        if (s.scalar) return std::string(".") + componentLetters[s.from[0]];
        if (s.from == std::array<int, 4>{0, 1, 2, 3}) return "";
        std::string text = ".";
        for (int c : s.from) text += componentLetters[c];
        return text;
    }

    std::string source(const Src& s) const { return (s.negate ? "-" : "") + reg(s.reg) + swizzle(s.swizzle); }

    std::string opcode(const Instr& i) const {
        std::string text = i.op;
        if (dialect_.hasPrecisionSuffixes() && i.op != "TEX") {
            // The requested precision is the tested instruction's and its
            // helper's; the seeds and the combine keep full precision, so a
            // 12-bit fixed-point setting does not clip texture coordinates.
            const bool step = i.role == Role::tested || i.role == Role::helper;
            std::string suffix = step ? dialect_.precisionSuffix(i.op, settings_.nvInstructionPrecision) : "";
            if (suffix.empty() && dialect_.needsPrecisionSuffix())
                suffix = dialect_.precisionSuffix(i.op, "R");
            text += suffix;
        }
        if (i.role == Role::tested && settings_.clamp != 0)
            text += dialect_.language == Language::nvfp4 ? ".SAT" : "_SAT";
        return text;
    }

    std::string instruction(const Instr& i) const {
        if (isFlow(i.op)) return i.op + (i.srcs.empty() ? "" : " " + source(i.srcs[0])) + ";";
        std::string text = opcode(i) + " " + reg(i.dst) + mask(i.mask);
        for (const Src& s : i.srcs) text += ", " + source(s);
        if (i.op == "TEX") {
            const std::string unit = std::to_string(i.textureUnit);
            text += numbered() ? ", TEX" + unit : ", texture[" + unit + "]";
            text += ", RECT";
        }
        return text + ";";
    }

    const ProgramPlan& plan_;
    const Dialect& dialect_;
    const BenchSettings& settings_;
    ProgramSource lines_;
};

}  // namespace

ProgramSource writeProgram(const ProgramPlan& plan, const Dialect& dialect, const BenchSettings& settings) {
    return Writer(plan, dialect, settings).write();
}

std::string programNumber(float value) {
    std::string text;
    for (int digits = 1; digits <= 9; ++digits) {
        std::ostringstream out;
        out.imbue(std::locale::classic());
        out.precision(digits);
        out << value;
        text = out.str();
        std::istringstream back(text);
        back.imbue(std::locale::classic());
        float read = 0.0f;
        back >> read;
        if (read == value) break;
    }
    // A float constant needs a decimal point or an exponent in the strict
    // grammars, and NVfp4.0 warns about an integer in an untyped PARAM.
    if (text.find_first_of(".e") == std::string::npos) text += ".0";
    return text;
}

}  // namespace fpgen
