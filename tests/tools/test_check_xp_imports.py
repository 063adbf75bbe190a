import importlib.util
from pathlib import Path

import pytest

SCRIPT = Path(__file__).resolve().parents[2] / "tools" / "check-xp-imports.py"
spec = importlib.util.spec_from_file_location("check_xp_imports", SCRIPT)
check = importlib.util.module_from_spec(spec)
spec.loader.exec_module(check)


def dump(os_version="5.1", subsystem="5.1", imports=None):
    """The parts of `objdump -p` the check reads, as the i686 binutils print them."""
    os_major, os_minor = os_version.split(".")
    sub_major, sub_minor = subsystem.split(".")
    lines = ["korvex.exe:     file format pei-i386", "",
             f"MajorOSystemVersion\t{os_major}", f"MinorOSystemVersion\t{os_minor}",
             f"MajorSubsystemVersion\t{sub_major}", f"MinorSubsystemVersion\t{sub_minor}", "",
             "The Import Tables (interpreted .idata section contents)"]
    for dll, functions in (imports or {"KERNEL32.dll": ["GetTickCount", "Sleep"]}).items():
        lines += [f"\tDLL Name: {dll}", "\tvma:  Hint/Ord Member-Name Bound-To"]
        lines += [f"\t1bc7e2\t   {hint}  {name}" for hint, name in enumerate(functions)]
        lines.append("")
    lines += ["PE File Base Relocations (interpreted .reloc section contents)",
              "\treloc    0 offset   10 [4010] HIGHLOW"]
    return "\n".join(lines) + "\n"


def test_an_xp_program_passes_and_every_import_is_read():
    text = dump(imports={"KERNEL32.dll": ["GetTickCount", "InitializeCriticalSection"],
                         "msvcrt.dll": ["_fstat64", "strftime", "_setjmp3"], "USER32.dll": ["CreateWindowExA"]})
    assert check.problems(text) == []
    assert len(check.read_objdump(text)[1]) == 9  # three DLLs and their six functions


@pytest.mark.parametrize("dll,function", [
    ("KERNEL32.dll", "GetTickCount64"), ("kernel32.dll", "AcquireSRWLockExclusive"),
    ("KERNEL32.dll", "FlsAlloc"), ("KERNEL32.dll", "GetFileInformationByHandleEx"),
    ("KERNEL32.dll", "GetLocaleInfoEx"), ("USER32.dll", "SetProcessDPIAware"),
    ("GDI32.dll", "D3DKMTOpenAdapterFromHdc"), ("msvcrt.dll", "strcpy_s"), ("msvcrt.dll", "_strtod_l"),
    ("msvcrt.dll", "_vsnprintf_c"), ("msvcrt.dll", "_wassert"), ("msvcrt.dll", "__CxxFrameHandler3"),
])
def test_a_function_newer_than_xp_fails(dll, function):
    found = check.problems(dump(imports={dll: ["Sleep", function]}))
    assert found == [f"imports {function} from {dll.lower()}, which XP lacks"]


@pytest.mark.parametrize("dll", ["ucrtbase.dll", "api-ms-win-crt-runtime-l1-1-0.dll"])
def test_the_universal_c_runtime_fails(dll):
    assert check.problems(dump(imports={dll: ["_initterm"]})) == [
        f"imports {dll}, the Universal C runtime, which XP lacks"]


def test_a_header_above_xp_fails_and_a_missing_one_is_reported():
    assert check.problems(dump(os_version="6.0")) == ["OS version 6.0 is above 5.1"]
    assert check.problems(dump(subsystem="5.2")) == ["subsystem version 5.2 is above 5.1"]
    assert check.problems(dump(os_version="4.0", subsystem="5.0")) == []
    assert check.problems("not a dump\n") == ["no subsystem version in the header", "no OS version in the header"]
