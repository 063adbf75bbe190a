#!/usr/bin/env python3
"""Fails when a 32-bit Windows program could not start on Windows XP SP3.

Reads the program's PE header and import table through `objdump -p` and
reports every import that XP lacks: the functions of kernel32, user32, gdi32
and msvcrt that came with Windows Vista or later, any import of the
Universal C runtime (ucrtbase, api-ms-win-crt-*), and a subsystem or OS
version above 5.1 in the header. Wine exports every one of those functions,
so running there cannot show what this check does.

Usage: check-xp-imports.py [--objdump TOOL] PROGRAM.exe
Exit code 0 when the program fits XP, 1 when it does not, 2 for a wrong call.
"""
import argparse
import re
import subprocess
import sys

XP_VERSION = (5, 1)

# Vista-and-later functions, by DLL.
NEWER_FUNCTIONS = {
    "kernel32.dll": set("""
        GetTickCount64 GetSystemTimePreciseAsFileTime QueryUnbiasedInterruptTime
        GetDynamicTimeZoneInformation SetDynamicTimeZoneInformation GetTimeZoneInformationForYear
        InitializeSRWLock AcquireSRWLockExclusive AcquireSRWLockShared ReleaseSRWLockExclusive
        ReleaseSRWLockShared TryAcquireSRWLockExclusive TryAcquireSRWLockShared
        InitializeConditionVariable SleepConditionVariableCS SleepConditionVariableSRW
        WakeConditionVariable WakeAllConditionVariable
        InitOnceInitialize InitOnceExecuteOnce InitOnceBeginInitialize InitOnceComplete
        InitializeCriticalSectionEx CreateEventExA CreateEventExW CreateMutexExA CreateMutexExW
        CreateSemaphoreExA CreateSemaphoreExW CreateWaitableTimerExA CreateWaitableTimerExW
        InitializeSynchronizationBarrier EnterSynchronizationBarrier DeleteSynchronizationBarrier
        WaitOnAddress WakeByAddressSingle WakeByAddressAll FlushProcessWriteBuffers
        FlsAlloc FlsFree FlsGetValue FlsSetValue
        CreateFile2 CopyFile2 GetFileInformationByHandleEx SetFileInformationByHandle OpenFileById
        ReOpenFile GetFinalPathNameByHandleA GetFinalPathNameByHandleW CreateSymbolicLinkA
        CreateSymbolicLinkW GetVolumeInformationByHandleW FindFirstFileNameW FindNextFileNameW
        FindFirstStreamW FindNextStreamW CancelIoEx CancelSynchronousIo GetQueuedCompletionStatusEx
        SetFileCompletionNotificationModes GetOverlappedResultEx
        CreateFileTransactedA CreateFileTransactedW CreateDirectoryTransactedA CreateDirectoryTransactedW
        DeleteFileTransactedA DeleteFileTransactedW MoveFileTransactedA MoveFileTransactedW
        CopyFileTransactedA CopyFileTransactedW GetFileAttributesTransactedA GetFileAttributesTransactedW
        SetFileAttributesTransactedA SetFileAttributesTransactedW FindFirstFileTransactedA
        FindFirstFileTransactedW CreateHardLinkTransactedA CreateHardLinkTransactedW
        RemoveDirectoryTransactedA RemoveDirectoryTransactedW
        CompareStringEx CompareStringOrdinal GetLocaleInfoEx LCMapStringEx GetUserDefaultLocaleName
        GetSystemDefaultLocaleName LocaleNameToLCID LCIDToLocaleName EnumSystemLocalesEx
        IsValidLocaleName ResolveLocaleName GetDateFormatEx GetTimeFormatEx GetNumberFormatEx
        GetCurrencyFormatEx GetCalendarInfoEx EnumCalendarInfoExEx EnumDateFormatsExEx
        EnumTimeFormatsEx GetDurationFormatEx FindNLSString FindNLSStringEx GetNLSVersionEx
        IsNLSDefinedString NormalizeString IsNormalizedString IdnToAscii IdnToUnicode
        GetUserPreferredUILanguages GetSystemPreferredUILanguages GetThreadPreferredUILanguages
        SetThreadPreferredUILanguages GetProcessPreferredUILanguages SetProcessPreferredUILanguages
        GetUILanguageInfo GetFileMUIInfo GetFileMUIPath GetThreadUILanguage
        GetThreadId GetProcessIdOfThread GetCurrentProcessorNumber GetCurrentProcessorNumberEx
        QueryFullProcessImageNameA QueryFullProcessImageNameW InitializeProcThreadAttributeList
        UpdateProcThreadAttribute DeleteProcThreadAttributeList CreateRemoteThreadEx
        GetErrorMode GetThreadErrorMode SetThreadErrorMode QueryThreadCycleTime QueryProcessCycleTime
        QueryIdleProcessorCycleTime GetLogicalProcessorInformationEx GetActiveProcessorCount
        GetActiveProcessorGroupCount GetMaximumProcessorCount GetMaximumProcessorGroupCount
        GetThreadGroupAffinity SetThreadGroupAffinity GetProcessGroupAffinity
        GetThreadIdealProcessorEx SetThreadIdealProcessorEx GetProcessInformation
        SetProcessInformation GetThreadInformation SetThreadInformation SetThreadStackGuarantee
        GetCurrentThreadStackLimits GetProductInfo RaiseFailFastException
        RegisterApplicationRestart UnregisterApplicationRestart RegisterApplicationRecoveryCallback
        UnregisterApplicationRecoveryCallback ApplicationRecoveryInProgress
        ApplicationRecoveryFinished GetApplicationRestartSettings
        CreateThreadpool CloseThreadpool CreateThreadpoolWork SubmitThreadpoolWork
        WaitForThreadpoolWorkCallbacks CloseThreadpoolWork CreateThreadpoolTimer SetThreadpoolTimer
        CloseThreadpoolTimer CreateThreadpoolWait SetThreadpoolWait CloseThreadpoolWait
        CreateThreadpoolIo CreateThreadpoolCleanupGroup CloseThreadpoolCleanupGroupMembers
        TrySubmitThreadpoolCallback
        SetDefaultDllDirectories AddDllDirectory RemoveDllDirectory LoadPackagedLibrary
        CreateBoundaryDescriptorW CreatePrivateNamespaceW OpenPrivateNamespaceW ClosePrivateNamespace
        GetNamedPipeClientProcessId GetNamedPipeServerProcessId GetNamedPipeClientSessionId
        GetNamedPipeServerSessionId WerRegisterFile WerRegisterMemoryBlock WerSetFlags WerGetFlags
        InitializeContext CopyContext GetEnabledXStateFeatures
    """.split()),
    "user32.dll": set("""
        SetProcessDPIAware IsProcessDPIAware SetProcessDpiAwarenessContext SetThreadDpiAwarenessContext
        GetThreadDpiAwarenessContext GetWindowDpiAwarenessContext GetDpiForWindow GetDpiForSystem
        EnableNonClientDpiScaling SystemParametersInfoForDpi AdjustWindowRectExForDpi
        GetSystemMetricsForDpi LogicalToPhysicalPoint PhysicalToLogicalPoint
        LogicalToPhysicalPointForPerMonitorDPI PhysicalToLogicalPointForPerMonitorDPI
        AddClipboardFormatListener RemoveClipboardFormatListener GetUpdatedClipboardFormats
        ChangeWindowMessageFilter ChangeWindowMessageFilterEx ShutdownBlockReasonCreate
        ShutdownBlockReasonDestroy ShutdownBlockReasonQuery RegisterPowerSettingNotification
        UnregisterPowerSettingNotification GetWindowDisplayAffinity SetWindowDisplayAffinity
        RegisterTouchWindow UnregisterTouchWindow IsTouchWindow GetTouchInputInfo
        CloseTouchInputHandle GetGestureInfo GetGestureExtraArgs CloseGestureInfoHandle
        SetGestureConfig GetGestureConfig GetPointerInfo GetPointerType EnableMouseInPointer
        QueryDisplayConfig GetDisplayConfigBufferSizes SetDisplayConfig DisplayConfigGetDeviceInfo
        DisplayConfigSetDeviceInfo CalculatePopupWindowPosition UpdateLayeredWindowIndirect
        SetCoalescableTimer RegisterSuspendResumeNotification
    """.split()),
    "gdi32.dll": set(),
    "msvcrt.dll": set("""
        __CxxFrameHandler2 __CxxFrameHandler3 __CxxCallUnwindVecDtor __CxxCallUnwindDelDtor
        ___lc_collate_cp_func __pwctype_func _abs64 _rotl64 _rotr64 _wctype
        _mkgmtime _mkgmtime32 _mkgmtime64 _get_doserrno _set_doserrno _get_errno _set_errno
        _get_output_format _set_output_format _fseeki64 _ftelli64 _initterm_e _invalid_parameter
        _wassert strnlen wcsnlen btowc wctob mbrlen mbrtowc mbsrtowcs wcrtomb wcsrtombs
        _create_locale _free_locale _get_current_locale _get_fmode _set_fmode _get_environ
        _get_wenviron _get_pgmptr _get_wpgmptr _get_osplatform _get_osver _get_winmajor
        _get_winminor _get_winver _get_fileinfo _set_fileinfo _freea _set_controlfp _vcprintf
        _vcwprintf _mbsnlen _mbstrnlen _time32 _ctime32 _gmtime32 _localtime32 _mktime32
        _difftime32 _difftime64 _ftime32 _futime32 _utime32 _wctime32 _wutime32 _swprintf
        _vswprintf __daylight __dstbias __strncnt __wcsncnt _chvalidator _ftol2 _ftol2_sse
        _ftol2_sse_excpt _except_handler4_common _local_unwind4 _W_Getdays _W_Getmonths
        _W_Gettnames _Wcsftime __AdjustPointer _memcpy_strict_align fabsf
    """.split()),
}
# Whole families, by the start of their names.
NEWER_PREFIXES = {
    "gdi32.dll": ("D3DKMT",),
    "msvcrt.dll": ("_Crt", "__libm_sse2_", "_libm_sse2_", "__ExceptionPtr", "_CallMemberFunction"),
}
# XP's msvcrt has no function with these endings: the secure (_s), locale (_l),
# positional (_p), count (_c) and debug (_dbg) variants all came with Vista.
NEWER_MSVCRT_SUFFIXES = ("_s", "_l", "_p", "_c", "_dbg")
UNIVERSAL_RUNTIME = re.compile(r"^(ucrtbase|api-ms-win-crt-)", re.IGNORECASE)

HEADER_FIELD = re.compile(r"^(Major|Minor)(OSystem|Subsystem)Version\s+(\d+)\s*$")
DLL_NAME = re.compile(r"^\s+DLL Name:\s*(\S+)\s*$")
IMPORTED_FUNCTION = re.compile(r"^\s+[0-9a-fA-F]+\s+\d+\s+(\S+)\s*$")


def read_objdump(text):
    """The header versions {"OSystem": (major, minor), ...} and the imports
    as (dll in lower case, function) pairs."""
    fields = {}
    imports = []
    dll = None
    for line in text.splitlines():
        header = HEADER_FIELD.match(line)
        if header:
            fields[(header.group(2), header.group(1))] = int(header.group(3))
            continue
        name = DLL_NAME.match(line)
        if name:
            dll = name.group(1).lower()
            imports.append((dll, None))
            continue
        if line and not line[0].isspace():
            dll = None  # another part of the dump begins
            continue
        function = IMPORTED_FUNCTION.match(line)
        if dll and function:
            imports.append((dll, function.group(1)))
    versions = {kind: (fields[(kind, "Major")], fields[(kind, "Minor")])
                for kind in ("OSystem", "Subsystem")
                if (kind, "Major") in fields and (kind, "Minor") in fields}
    return versions, imports


def newer_than_xp(dll, function):
    if function in NEWER_FUNCTIONS.get(dll, ()):
        return True
    if function.startswith(NEWER_PREFIXES.get(dll, ())):
        return True
    return dll == "msvcrt.dll" and function.endswith(NEWER_MSVCRT_SUFFIXES)


def problems(text):
    """Each reason the dumped program would not start on Windows XP SP3."""
    versions, imports = read_objdump(text)
    found = []
    for kind, label in (("Subsystem", "subsystem"), ("OSystem", "OS")):
        if kind not in versions:
            found.append(f"no {label} version in the header")
        elif versions[kind] > XP_VERSION:
            found.append(f"{label} version {versions[kind][0]}.{versions[kind][1]} is above 5.1")
    for dll, function in imports:
        if function is None:
            if UNIVERSAL_RUNTIME.match(dll):
                found.append(f"imports {dll}, the Universal C runtime, which XP lacks")
        elif newer_than_xp(dll, function):
            found.append(f"imports {function} from {dll}, which XP lacks")
    return found


def main(argv):
    parser = argparse.ArgumentParser(description="Checks that a 32-bit Windows program fits Windows XP SP3.")
    parser.add_argument("--objdump", default="i686-w64-mingw32-objdump")
    parser.add_argument("program")
    arguments = parser.parse_args(argv)
    try:
        dump = subprocess.run([arguments.objdump, "-p", arguments.program], check=True,
                              capture_output=True, text=True).stdout
    except (OSError, subprocess.CalledProcessError) as error:
        print(f"check-xp-imports: cannot read {arguments.program}: {error}", file=sys.stderr)
        return 2
    found = problems(dump)
    for problem in found:
        print(f"{arguments.program}: {problem}")
    if found:
        return 1
    functions = sum(1 for _, function in read_objdump(dump)[1] if function)
    print(f"{arguments.program}: header 5.1, {functions} imports, none newer than Windows XP SP3")
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv[1:]))
