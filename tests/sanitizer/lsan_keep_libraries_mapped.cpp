// Linked into every executable of a sanitizer build. eglTerminate unloads
// Mesa's driver before the process ends, and LeakSanitizer, which looks at
// exit, would then report the driver's own leaks against an unknown module
// that no suppression can name. With every library kept mapped to the end,
// the suppression file names them by library.
extern "C" int dlclose(void*) { return 0; }

// The suppressions apply wherever the executable is started, with no
// environment to set. Standard error holds korvex's own report and nothing
// after it: no table of the suppressions that matched.
extern "C" const char* __lsan_default_options() {
    return "suppressions=" KORVEX_LSAN_SUPPRESSIONS ":print_suppressions=0";
}

// The runtime's record of the dynamic TLS of libraries that Mesa loads can
// be garbage (it depends on the process's memory layout), and the leak scan
// at exit then crashes reading it. Without the interception the scan skips
// those blocks; anything only they hold belongs to Mesa and is suppressed.
extern "C" const char* __asan_default_options() { return "intercept_tls_get_addr=0"; }
