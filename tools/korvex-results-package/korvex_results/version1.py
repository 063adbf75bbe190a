"""Format version 1 files in the shape of version 2: each test gets the
program object and instruction multiplier that version 1 kept among the run's
settings (settings.options, by the C++ names and codes)."""
import copy

# What korvex started from, for a setting a hand-made file leaves out.
_DEFAULTS = {
    "nvOption": 0, "length": 64, "components": 4, "clamp": 0, "precisionHint": 0,
    "nvInstructionPrecision": "", "temporaries": 0, "branching": 0, "textureFetches": 0,
    "fetchTexture": 1, "multiTexCoords": 0, "localParameters": 0, "multipleOutputs": 0,
    "outputCount": 4, "vectorAndScalar": 0, "instructionMultiplier": 1,
}
_SINGLE_OR_MULTI = ["single", "multi"]


def _word(words, code):
    return words[code] if isinstance(code, int) and 0 <= code < len(words) else "unknown"


def _program(options, test):
    def option(name):
        return options.get(name, _DEFAULTS[name])
    return {
        "language": test["profile"],
        "nv_option": _word(["none", "FP1", "FP2"], option("nvOption")),
        "instruction": test["instruction"],
        "length": option("length"),
        "components": option("components"),
        "clamp": bool(option("clamp")),
        "precisions": {"hint": _word(["none", "nicest", "fastest"], option("precisionHint")),
                       "instructions": option("nvInstructionPrecision") or "none"},
        "temporaries": _word(["default", "long", "short"], option("temporaries")),
        "branching": _word(["none", "loop", "repeat"], option("branching")),
        "fetches": {"count": option("textureFetches"),
                    "textures": _word(_SINGLE_OR_MULTI, option("fetchTexture")),
                    "coordinates": _word(_SINGLE_OR_MULTI, option("multiTexCoords"))},
        "parameters": _word(["local", "env", "named"], option("localParameters")),
        "outputs": option("outputCount") if option("multipleOutputs") else 1,
        "vector_and_scalar": bool(option("vectorAndScalar")),
    }


def upgraded(document):
    """A version 2 document with the results of the version 1 DOCUMENT."""
    document = copy.deepcopy(document)
    options = document["settings"].pop("options")
    for test in document["tests"]:
        test["program"] = _program(options, test)
        test["instruction_multiplier"] = options.get("instructionMultiplier",
                                                     _DEFAULTS["instructionMultiplier"])
    document["format_version"] = 2
    return document
