"""Small hand-made korvex results documents."""
import copy
import hashlib
import json
import statistics


def make_program(instruction, **changes):
    program = {
        "language": "ARB", "nv_option": "none", "instruction": instruction, "length": 4,
        "components": 4, "clamp": False, "precisions": {"hint": "none", "instructions": "none"},
        "temporaries": "default", "branching": "none",
        "fetches": {"count": 0, "textures": "multi", "coordinates": "single"},
        "parameters": "local", "outputs": 1, "vector_and_scalar": False,
    }
    program.update(changes)
    return program


def make_test(label, sections, iterations=100, program=None, **changes):
    median = statistics.median(sections)
    pixels_per_s = 512 * 768 * iterations / (median / 1000)
    test = {
        "label": label, "profile": "ARB", "instruction": label,
        "program_sha256": hashlib.sha256(label.encode()).hexdigest(),
        "program": make_program(label, **(program or {})),
        "per_pixel": {"instructions": 9, "flops": 9, "texels": 0, "bytes_written": 16},
        "instruction_multiplier": 1,
        "width": 512, "height": 768, "iterations": iterations, "sections_ms": sections,
        "min_ms": min(sections), "median_ms": median, "max_ms": max(sections),
        "fragments": {"counted": None, "expected": 512 * 768 * iterations},
        "rates": {"instructions_per_s": 9 * pixels_per_s, "pixels_per_s": pixels_per_s,
                  "flops_per_s": 9 * pixels_per_s, "texels_per_s": 0.0,
                  "bytes_per_s": 16 * pixels_per_s},
        "warnings": [],
    }
    test.update(changes)
    return test


def make_run(tests=(), renderer="llvmpipe (LLVM 15.0.6, 256 bits)", cpu="AMD EPYC 7B13",
             policy=None, latency=()):
    return {
        "format": "korvex-results", "format_version": 2, "korvex_version": "0.7",
        "started_utc": "2026-12-07T13:00:00Z",
        "host": {"os": "Linux", "kernel": "6.1.0-18-amd64", "cpu": cpu, "logical_cores": 2},
        "gl": {"vendor": "Mesa", "renderer": renderer, "version": "4.5 (Core Profile) Mesa 22.3.6",
               "window_system": "egl"},
        "driver": {"name": "libGLX_mesa.so.0", "company": "Mesa", "version": "22.3.6",
                   "description": "Mesa GL"},
        "settings": {"mode": "all_instructions", "profile": "ARB", "width": 512, "height": 768,
                     "repeat": 5, "iteration_policy": policy or {"kind": "fixed", "iterations": 100},
                     "net": False},
        "tests": list(tests), "latency": list(latency),
    }


def as_version1(run, options):
    """RUN as format version 1 wrote it, with the settings OPTIONS by their
    C++ names."""
    old = copy.deepcopy(run)
    old["format_version"] = 1
    old["settings"]["options"] = options
    for test in old["tests"]:
        del test["program"], test["instruction_multiplier"]
    return old


def write(directory, name, document):
    path = directory / name
    path.write_text(document if isinstance(document, str) else json.dumps(document))
    return str(path)


def make_latency(sections, outputs=2, components=4, iterations=100):
    median = statistics.median(sections)
    return {"outputs": outputs, "components": components, "ms": median,
            "bytes_per_s": 4 * components * outputs * 512 * 768 * iterations / (median / 1000),
            "iterations": iterations, "sections_ms": sections}
