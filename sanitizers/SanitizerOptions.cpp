// The sanitizer build's settings, built into every program of that build (the
// test programs, the programs that tests start as processes, the fuzz
// targets), so that ctest, a program started by hand and a program started by
// a test all run alike. A report ends the program. The interception of
// __tls_get_addr is off: with it, the leak check at exit now and then crashes
// ("Tracer caught signal 11") on the thread-local blocks of the database
// engine's threads.
extern "C" const char* __asan_default_options() {
    return "halt_on_error=1:intercept_tls_get_addr=0";
}

extern "C" const char* __lsan_default_options() {
    return "suppressions=" STELPOD_LEAK_SUPPRESSIONS;
}

extern "C" const char* __ubsan_default_options() {
    return "halt_on_error=1:print_stacktrace=1";
}
