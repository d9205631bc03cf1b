#include <QApplication>
#include <gtest/gtest.h>

#if defined(__SANITIZE_ADDRESS__)
// The sanitizer build's settings, built into every test program so that
// ctest, a test program started by hand and the test listing at build time
// all run alike. A report ends the program. The interception of
// __tls_get_addr is off: with it, the leak check at exit now and then
// crashes on the thread-local blocks of the database engine's threads.
extern "C" const char* __asan_default_options() {
    return "halt_on_error=1:intercept_tls_get_addr=0";
}
extern "C" const char* __lsan_default_options() {
    return "suppressions=" STELPOD_LEAK_SUPPRESSIONS;
}
extern "C" const char* __ubsan_default_options() {
    return "halt_on_error=1:print_stacktrace=1";
}
#endif

// Every test program runs with a real application object, so widgets, timers
// and nested event loops behave as in the program.
int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", qgetenv("QT_QPA_PLATFORM").isEmpty() ? "offscreen"
                                                                    : qgetenv("QT_QPA_PLATFORM"));
    QApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
