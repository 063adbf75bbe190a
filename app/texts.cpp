#include "app/texts.h"

#include "base/console.h"
#include "base/errors.h"
#include "platform/platform.h"

// The build gives the one version that the package carries too.
const char* const korvexVersion = KORVEX_VERSION;

std::string versionLine() { return std::string("korvex v") + korvexVersion + " " + platform::versionTag(); }

std::vector<std::string> usageLines() {
    std::vector<std::string> lines = {versionLine(), ""};
    const char* const body[] = {
        "Usage: korvex [-Options..]",
        "  Options",
        "  -g, --gpuid=STRING [(e)xtensions]",
        "          Output gpuid and driver version",
        "          (e)xtensions:  returns a list of supported GL extensions",
        "  -f, --fragmentprogram=STRING [arb/fp1/fp2, default: arb]",
        "          Specifies the fragment program extension used to test",
        "          arb:  ARB_fragment_program",
        "          fp1:  NV_fragment_program",
        "          fp2:  NV_fragment_program2",
        "  -c, --components=NUMBER [1-4, default: 4]",
        "          Number of vector components (xyzw/rgba) for",
        "          ALU instructions, textures and draw buffers.",
        "  -C, --clamp",
        "          Clamp the result vector components to the range [0,1].",
        "  -s, --size=SIZE [2-4096, default: 512]",
        "          Size of pixel buffer (pbuffer) and textures.",
        "  -i, --instruction=STRING [MAD, MUL, ADD.., default: MAD]",
        "          Specifies which ALU instruction to test.",
        "          Supported instructions: ABS ADD COS DP3 DP4",
        "              DPH DST EX2 FLR FRC LG2 LIT LRP MAD MAX",
        "              MIN MOV MUL POW RCP RSQ SCS SIN SUB XPD",
        "              RFL [fp1] DIV [fp2] DP2 [fp2] NRM [fp2]",
        "  -I, --iterations=SIZE [default: 100]",
        "          Number of test iterations.",
        "  -l, --length=SIZE",
        "          Number of ALU instructions in fragment program.",
        "  -L, --localparameters=STRING [(n)amed/(l)ocal/(e)nv, default: named]",
        "          Specifies which command is used to update the local parameters.",
        "          (l)ocal:  ProgramLocalParameter4fARB",
        "          (e)nv  :  ProgramEnvParameter4fARB",
        "          (n)amed:  ProgramNamedParameter4fNV (Fp1 or fp2 fragment",
        "                    program extension is required)",
        "  -n, --nvoption=STRING [fp1/fp2]",
        "          Use NV_fragment_program(2) option with",
        "          ARB_fragment_program (arb).",
        "  -N, --nvinstructionprecision=STRING [r/h/x, default: r]",
        "          Specifies the precision of ALU instruction.",
        "          Fp1 or fp2 fragment program extension is required",
        "          r:  32-bit floating point precision (fp32)",
        "          h:  16-bit floating point precision (fp16)",
        "          x:  12-bit fixed point precision (fx12)",
        "  -p, --primitive=STRING [(q)uad/(t)riangle, default: triangle]",
        "          Specifies which primitive is used to rendering quad",
        "          (q)uad    :  independent quad",
        "          (t)riangle:  two independent triangles",
        "  -P, --precisionhintoption=STRING [(n)icest/(f)astest]",
        "          Specifies the precision hint option.",
        "          Arb fragment program extension is required",
        "          (n)icest :  max precision",
        "          (f)astest:  min precision",
        "  -b, --branching=STRING [(l)oop/(r)ep{eat}, default: loop]",
        "          Use branching in fragment program.",
        "          Fp2 fragment program extension is required",
        "          (l)oop    :  loop",
        "          (r)ep{eat}:  repeat",
        "  -t, --texturefetches=NUMBER [1-8, default: 1]",
        "          Number of texture fetches.",
        "  -F, --fetchtexture=STRING [(m)ulti/(s)ingle, default: multi]",
        "          Specifies if texture samples are fetches from",
        "          single texture or multiple textures",
        "          (m)ulti :  Use multiple textures",
        "          (s)ingle:  Use single texture",
        "  -m, --multitexcoords",
        "          Use multiple texture coordinates (MultiTexCoord2fARB) to",
        "          texture fetches.",
        "  -T, --temporaries=STRING [(l)ong/(s)hort]",
        "          Specifies the size of a temporary variable's components.",
        "          Fp1 or fp2 fragment program extension is required",
        "          (l)ong :  32 bits per component (fp32)",
        "          (s)hort:  16 bits per component (fp16)",
        "  -V, --vectorandscalar",
        "          Issues vector and scalar instructions in parallel.",
        "          RSQ and RCP scalar instructions are used in fragment program.",
        "  -a, --all",
        "          Test all ALU instructions.",
        "  -M, --multipleoutputs=NUMBER [1-4, default: 4]",
        "          Number of output draw buffers.",
        "          ARB or ATI draw buffers extension is required.",
        "  -r, --resultprefix=STRING [(k)ilo/(m)ega/(g)iga, default: giga]",
        "          Specifies the prefix used in test result",
        "          (k)ilo:  Kilo instructions",
        "          (m)ega:  Mega instructions",
        "          (g)iga:  Giga instructions",
        "  -o, --output=STRING [(s)creen/(d)isk/(b)oth, default: screen]",
        "          Output generated fragment program",
        "          (s)creen:  output only to screen",
        "          (d)isk  :  output only to disk (named fasm_*.txt)",
        "          (b)oth  :  output to screen and disk",
        "  -S, --saveresult",
        "          Save test result(s) to disk [named korvex_results.txt.",
        "  -d, --disclaimer",
        "          Output license and disclaimer.",
    };
    lines.insert(lines.end(), std::begin(body), std::end(body));
    return lines;
}

std::vector<std::string> disclaimerLines() {
    return {
        versionLine(),
        "Written by the korvex authors (korvex).",
        "",
        "License",
        "--------",
        "",
        "Permission is granted to anyone to use, copy, modify and distribute this",
        "software for any purpose, free of charge, provided that this notice and",
        "the disclaimer below are kept in every copy. The software is provided",
        "\"as is\", without warranty of any kind, express or implied, including",
        "the warranties of fitness for a particular purpose and accuracy.",
        "",
        "Disclaimer",
        "",
        "The korvex authors (korvex) and the korvex project may not be held",
        "liable for any damage, loss of data or wrong conclusion that comes from",
        "using this software or from being unable to use it, even when told of",
        "the possibility of such damage. Use it at your own risk.",
        "The korvex project publishes its releases on its project pages.",
        "",
        "Mar 4 2007",
        "korvex (contact through the korvex project pages)",
    };
}

namespace {

[[noreturn]] void printAndEnd(const std::vector<std::string>& lines) {
    for (const std::string& line : lines) writeLine(line);
    throw OrderlyStop{exitcode::success};
}

}  // namespace

void printUsage() { printAndEnd(usageLines()); }

void printDisclaimer() { printAndEnd(disclaimerLines()); }
