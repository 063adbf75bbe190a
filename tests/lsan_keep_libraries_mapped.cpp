// Linked into korvex in sanitizer builds only. eglTerminate unloads Mesa's
// driver before the process ends, and LeakSanitizer, which looks at exit,
// would then report the driver's own leaks against an unknown module that no
// suppression can name. With every library kept mapped to the end,
// tests/lsan-mesa.supp suppresses them by library name.
extern "C" int dlclose(void*) { return 0; }

// Standard error holds korvex's own report and nothing after it: no table of
// the suppressions that matched.
extern "C" const char* __lsan_default_options() { return "print_suppressions=0"; }
