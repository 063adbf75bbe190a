#include "tests/support/arb_reference.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <set>
#include <sstream>
#include <stdexcept>

namespace arbref {
namespace {

using Operand = ReferenceProgram::Operand;
using Instruction = ReferenceProgram::Instruction;

const std::set<std::string> textureOps = {"TEX", "TXP", "TXB"};
const std::set<std::string> flowOps = {"LOOP", "REP", "ENDLOOP", "ENDREP"};

std::string trim(const std::string& s) {
    const auto first = s.find_first_not_of(" \t\r\n");
    if (first == std::string::npos) return "";
    return s.substr(first, s.find_last_not_of(" \t\r\n") - first + 1);
}

// Splits at commas outside braces.
std::vector<std::string> splitOperands(const std::string& text) {
    std::vector<std::string> parts;
    std::string current;
    int depth = 0;
    for (char c : text) {
        if (c == '{') ++depth;
        if (c == '}') --depth;
        if (c == ',' && depth == 0) {
            parts.push_back(trim(current));
            current.clear();
        } else {
            current += c;
        }
    }
    if (!trim(current).empty()) parts.push_back(trim(current));
    return parts;
}

int componentIndex(char c) {
    const std::string xyzw = "xyzw", rgba = "rgba";
    if (xyzw.find(c) != std::string::npos) return static_cast<int>(xyzw.find(c));
    if (rgba.find(c) != std::string::npos) return static_cast<int>(rgba.find(c));
    return -1;
}

int bracketIndex(const std::string& text, const std::string& prefix) {
    if (text == prefix) return 0;
    return std::atoi(text.substr(prefix.size() + 1).c_str());
}

float dot(const Vec4& a, const Vec4& b, int n) {
    float sum = 0.0f;
    for (int k = 0; k < n; ++k) sum += a[k] * b[k];
    return sum;
}

Vec4 splat(float v) { return {v, v, v, v}; }

template <typename F>
Vec4 each(const Vec4& a, F f) {
    return {f(a[0]), f(a[1]), f(a[2]), f(a[3])};
}

using Sources = std::vector<Vec4>;

Vec4 lit(const Vec4& a) {
    const float x = std::max(a[0], 0.0f), y = std::max(a[1], 0.0f);
    const float w = std::clamp(a[3], -128.0f, 128.0f);
    return {1.0f, x, x > 0.0f ? std::pow(y, w) : 0.0f, 1.0f};
}

Vec4 reflect(const Vec4& axis, const Vec4& v) {
    const float scale = 2.0f * dot(axis, v, 3) / dot(axis, axis, 3);
    return {scale * axis[0] - v[0], scale * axis[1] - v[1], scale * axis[2] - v[2], 0.0f};
}

Vec4 normalize(const Vec4& a) {
    const float scale = 1.0f / std::sqrt(dot(a, a, 3));
    return {a[0] * scale, a[1] * scale, a[2] * scale, 0.0f};
}

template <typename F>
Vec4 lanes(const Sources& s, F f) {
    Vec4 r{};
    for (int k = 0; k < 4; ++k) r[k] = f(s, k);
    return r;
}

float step(bool condition) { return condition ? 1.0f : 0.0f; }

// What each instruction computes, by the ARB and NV program specifications;
// the lanes an instruction leaves undefined read as 0.
const std::map<std::string, ReferenceProgram::Compute> computations = {
    {"ABS", [](const Sources& s) { return each(s[0], [](float x) { return std::fabs(x); }); }},
    {"FLR", [](const Sources& s) { return each(s[0], [](float x) { return std::floor(x); }); }},
    {"FRC", [](const Sources& s) { return each(s[0], [](float x) { return x - std::floor(x); }); }},
    {"MOV", [](const Sources& s) { return s[0]; }},
    {"COS", [](const Sources& s) { return splat(std::cos(s[0][0])); }},
    {"SIN", [](const Sources& s) { return splat(std::sin(s[0][0])); }},
    {"EX2", [](const Sources& s) { return splat(std::exp2(s[0][0])); }},
    {"LG2", [](const Sources& s) { return splat(std::log2(s[0][0])); }},
    {"RCP", [](const Sources& s) { return splat(1.0f / s[0][0]); }},
    {"RSQ", [](const Sources& s) { return splat(1.0f / std::sqrt(std::fabs(s[0][0]))); }},
    {"SCS",
     [](const Sources& s) {
         return Vec4{std::cos(s[0][0]), std::sin(s[0][0]), 0.0f, 0.0f};
     }},
    {"NRM", [](const Sources& s) { return normalize(s[0]); }},
    {"LIT", [](const Sources& s) { return lit(s[0]); }},
    {"POW", [](const Sources& s) { return splat(std::pow(s[0][0], s[1][0])); }},
    {"DP2", [](const Sources& s) { return splat(dot(s[0], s[1], 2)); }},
    {"DP3", [](const Sources& s) { return splat(dot(s[0], s[1], 3)); }},
    {"DP4", [](const Sources& s) { return splat(dot(s[0], s[1], 4)); }},
    {"DPH", [](const Sources& s) { return splat(dot(s[0], s[1], 3) + s[1][3]); }},
    {"DST",
     [](const Sources& s) {
         return Vec4{1.0f, s[0][1] * s[1][1], s[0][2], s[1][3]};
     }},
    {"XPD",
     [](const Sources& s) {
         const Vec4 &a = s[0], &b = s[1];
         return Vec4{a[1] * b[2] - a[2] * b[1], a[2] * b[0] - a[0] * b[2], a[0] * b[1] - a[1] * b[0], 0.0f};
     }},
    {"RFL", [](const Sources& s) { return reflect(s[0], s[1]); }},
    {"ADD",
     [](const Sources& s) { return lanes(s, [](const Sources& v, int k) { return v[0][k] + v[1][k]; }); }},
    {"SUB",
     [](const Sources& s) { return lanes(s, [](const Sources& v, int k) { return v[0][k] - v[1][k]; }); }},
    {"MUL",
     [](const Sources& s) { return lanes(s, [](const Sources& v, int k) { return v[0][k] * v[1][k]; }); }},
    {"MIN",
     [](const Sources& s) {
         return lanes(s, [](const Sources& v, int k) { return std::min(v[0][k], v[1][k]); });
     }},
    {"MAX",
     [](const Sources& s) {
         return lanes(s, [](const Sources& v, int k) { return std::max(v[0][k], v[1][k]); });
     }},
    {"DIV",
     [](const Sources& s) { return lanes(s, [](const Sources& v, int k) { return v[0][k] / v[1][0]; }); }},
    {"MAD",
     [](const Sources& s) {
         return lanes(s, [](const Sources& v, int k) { return v[0][k] * v[1][k] + v[2][k]; });
     }},
    {"SGE",
     [](const Sources& s) {
         return lanes(s, [](const Sources& v, int k) { return step(v[0][k] >= v[1][k]); });
     }},
    {"SLT",
     [](const Sources& s) {
         return lanes(s, [](const Sources& v, int k) { return step(v[0][k] < v[1][k]); });
     }},
    {"CMP",
     [](const Sources& s) {
         return lanes(s, [](const Sources& v, int k) { return v[0][k] < 0.0f ? v[1][k] : v[2][k]; });
     }},
    {"LRP",
     [](const Sources& s) {
         return lanes(s,
                      [](const Sources& v, int k) { return v[0][k] * v[1][k] + (1.0f - v[0][k]) * v[2][k]; });
     }},
};

class Parser {
public:
    explicit Parser(const std::string& text) : text_(text) {}

    void parse(std::vector<Instruction>& instructions, int& tempCount, int& outputCount) {
        std::istringstream lines(text_);
        std::string line;
        std::string pending;
        bool ended = false;
        while (std::getline(lines, line)) {
            ++lineNumber_;
            if (lineNumber_ == 1) {
                if (trim(line) != "!!ARBfp1.0") fail("the header is not !!ARBfp1.0");
                continue;
            }
            // Statements may run over lines; comments end at the line's end.
            pending += " " + line.substr(0, line.find('#'));
            std::string::size_type semicolon;
            while ((semicolon = pending.find(';')) != std::string::npos) {
                statement(trim(pending.substr(0, semicolon)), instructions);
                pending = pending.substr(semicolon + 1);
            }
            if (trim(pending) == "END") {
                ended = true;
                break;
            }
        }
        if (!ended) fail("no END");
        tempCount = static_cast<int>(temps_.size());
        outputCount = outputs_;
    }

private:
    [[noreturn]] void fail(const std::string& why) const {
        throw std::runtime_error("line " + std::to_string(lineNumber_) + ": " + why);
    }

    void statement(const std::string& s, std::vector<Instruction>& instructions) {
        if (s.rfind("OPTION ", 0) == 0) return;
        // Attributes and outputs are names for their bindings, as parameters are.
        for (const char* binding : {"PARAM ", "ATTRIB ", "OUTPUT "}) {
            if (s.rfind(binding, 0) == 0) return declareParam(s.substr(std::string(binding).size()));
        }
        for (const char* prefix : {"TEMP ", "SHORT TEMP ", "LONG TEMP "}) {
            if (s.rfind(prefix, 0) == 0) {
                for (const std::string& name : splitOperands(s.substr(std::string(prefix).size()))) {
                    const int slot = static_cast<int>(temps_.size());
                    temps_[name] = slot;
                }
                return;
            }
        }
        instructions.push_back(instruction(s));
    }

    void declareParam(const std::string& s) {
        const auto equals = s.find('=');
        if (equals == std::string::npos) fail("PARAM without a binding");
        params_[trim(s.substr(0, equals))] = operand(trim(s.substr(equals + 1)), false);
    }

    Instruction instruction(const std::string& s) {
        Instruction in;
        in.line = lineNumber_;
        const auto space = s.find(' ');
        std::string op = s.substr(0, space);
        const std::string rest = space == std::string::npos ? "" : s.substr(space + 1);
        if (op.size() > 4 && op.compare(op.size() - 4, 4, "_SAT") == 0) {
            in.saturate = true;
            op.resize(op.size() - 4);
        }
        auto known = [](const std::string& name) {
            return computations.count(name) > 0 || textureOps.count(name) > 0 || flowOps.count(name) > 0;
        };
        if (!known(op) && op.size() == 4 && std::string("RHX").find(op[3]) != std::string::npos) {
            op.resize(3);
        }
        if (!known(op)) fail("unknown instruction " + op);
        in.op = op;
        if (computations.count(op) > 0) in.compute = computations.at(op);
        std::vector<std::string> parts = splitOperands(rest);
        if (textureOps.count(op) > 0) {
            if (parts.size() != 4 || parts[3] != "RECT") fail(op + " needs a RECT target");
            in.textureUnit = bracketIndex(parts[2], "texture");
            parts.resize(2);
        }
        const bool flow = flowOps.count(op) > 0;
        for (std::size_t k = 0; k < parts.size(); ++k)
            in.operands.push_back(operand(parts[k], k == 0 && !flow));
        return in;
    }

    Operand operand(std::string text, bool destination) {
        Operand o;
        if (!text.empty() && text[0] == '-') {
            o.negate = true;
            text = trim(text.substr(1));
        }
        std::string suffix;
        char* numberEnd = nullptr;
        const float number = std::strtof(text.c_str(), &numberEnd);
        if (!text.empty() && numberEnd == text.c_str() + text.size()) {
            o.kind = Operand::constant;
            o.values = splat(number);
        } else if (text[0] == '{') {
            const auto close = text.find('}');
            std::vector<std::string> numbers = splitOperands(text.substr(1, close - 1));
            o.kind = Operand::constant;
            o.values = {0.0f, 0.0f, 0.0f, 1.0f};
            for (std::size_t k = 0; k < numbers.size() && k < 4; ++k)
                o.values[k] = std::strtof(numbers[k].c_str(), nullptr);
            suffix = text.substr(close + 1);
        } else {
            // Built-in bindings carry dots of their own; the suffix starts after them.
            std::size_t from = 0;
            for (const std::string builtin : {"fragment.", "result.", "program."}) {
                if (text.rfind(builtin, 0) == 0) from = builtin.size();
            }
            const auto dot = text.find('.', from);
            std::string base = text;
            if (dot != std::string::npos) {
                base = text.substr(0, dot);
                suffix = text.substr(dot);
            }
            resolve(base, o);
        }
        if (!suffix.empty()) applySuffix(suffix.substr(1), destination, o);
        return o;
    }

    void resolve(const std::string& base, Operand& o) {
        if (base.rfind("fragment.texcoord", 0) == 0) {
            o.kind = Operand::texcoord;
            o.index = bracketIndex(base, "fragment.texcoord");
        } else if (base.rfind("result.color", 0) == 0) {
            o.kind = Operand::output;
            o.index = bracketIndex(base, "result.color");
            outputs_ = std::max(outputs_, o.index + 1);
        } else if (base.rfind("program.local", 0) == 0) {
            o.kind = Operand::local;
            o.index = bracketIndex(base, "program.local");
        } else if (base.rfind("program.env", 0) == 0) {
            o.kind = Operand::env;
            o.index = bracketIndex(base, "program.env");
        } else if (params_.count(base) > 0) {
            // The binding stands in for the name; a sign before the name stays.
            const bool negate = o.negate;
            o = params_[base];
            o.negate = negate;
        } else if (temps_.count(base) > 0) {
            o.kind = Operand::temp;
            o.index = temps_[base];
        } else {
            fail("undeclared name " + base);
        }
    }

    void applySuffix(const std::string& letters, bool destination, Operand& o) {
        if (destination) {
            o.mask = {false, false, false, false};
            for (char c : letters) {
                if (componentIndex(c) < 0) fail("bad write mask ." + letters);
                o.mask[componentIndex(c)] = true;
            }
            return;
        }
        if (letters.size() != 1 && letters.size() != 4) fail("bad swizzle ." + letters);
        for (int k = 0; k < 4; ++k) {
            const int c = componentIndex(letters[letters.size() == 1 ? 0 : k]);
            if (c < 0) fail("bad swizzle ." + letters);
            o.swizzle[k] = c;
        }
    }

    const std::string& text_;
    int lineNumber_ = 0;
    std::map<std::string, int> temps_;
    std::map<std::string, Operand> params_;
    int outputs_ = 0;
};

}  // namespace

ReferenceProgram::ReferenceProgram(const std::string& text) {
    Parser(text).parse(instructions_, tempCount_, outputCount_);
}

std::vector<Vec4> ReferenceProgram::run(const FragmentInputs& inputs) const {
    std::vector<Vec4> temps(tempCount_, Vec4{});
    std::vector<Vec4> outputs(outputCount_, Vec4{});
    auto read = [&](const Operand& o) {
        Vec4 raw{};
        switch (o.kind) {
            case Operand::temp:
                raw = temps[o.index];
                break;
            case Operand::local:
                raw = inputs.localParameters.count(o.index) ? inputs.localParameters.at(o.index) : Vec4{};
                break;
            case Operand::env:
                raw = inputs.envParameters.count(o.index) ? inputs.envParameters.at(o.index) : Vec4{};
                break;
            case Operand::texcoord:
                raw = inputs.texcoords[o.index];
                break;
            case Operand::constant:
                raw = o.values;
                break;
            case Operand::output:
                raw = outputs[o.index];
                break;
        }
        Vec4 v{};
        for (int k = 0; k < 4; ++k) v[k] = o.negate ? -raw[o.swizzle[k]] : raw[o.swizzle[k]];
        return v;
    };
    struct Loop {
        std::size_t start;
        int remaining;
    };
    std::vector<Loop> loops;
    for (std::size_t pc = 0; pc < instructions_.size(); ++pc) {
        const Instruction& in = instructions_[pc];
        if (in.op == "LOOP" || in.op == "REP") {
            loops.push_back({pc, static_cast<int>(read(in.operands[0])[0])});
            continue;
        }
        if (in.op == "ENDLOOP" || in.op == "ENDREP") {
            if (--loops.back().remaining > 0) {
                pc = loops.back().start;
            } else {
                loops.pop_back();
            }
            continue;
        }
        std::vector<Vec4> sources;
        for (std::size_t k = 1; k < in.operands.size(); ++k) sources.push_back(read(in.operands[k]));
        Vec4 result;
        if (in.op == "TXP") {
            result =
                inputs.sample(in.textureUnit, sources[0][0] / sources[0][3], sources[0][1] / sources[0][3]);
        } else if (textureOps.count(in.op) > 0) {
            // A rectangle texture has no mipmaps, so TXB's bias changes nothing.
            result = inputs.sample(in.textureUnit, sources[0][0], sources[0][1]);
        } else {
            result = in.compute(sources);
        }
        const Operand& dst = in.operands[0];
        Vec4& target = dst.kind == Operand::output ? outputs[dst.index] : temps[dst.index];
        for (int k = 0; k < 4; ++k) {
            if (dst.mask[k]) target[k] = in.saturate ? std::clamp(result[k], 0.0f, 1.0f) : result[k];
        }
    }
    return outputs;
}

}  // namespace arbref
