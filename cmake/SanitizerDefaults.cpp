// Default options of the sanitizers, built into the game and the tests of a
// sanitizer build only, so that they hold however the programs are started.
// Options given in the environment (ASAN_OPTIONS, UBSAN_OPTIONS) still take
// precedence.
extern "C"
{
    const char* __asan_default_options()
    {
        return "detect_leaks=1:strict_init_order=1:detect_stack_use_after_return=1";
    }

    const char* __ubsan_default_options()
    {
        return "print_stacktrace=1:halt_on_error=1";
    }

    // Shared libraries stay loaded until the process ends. The graphics driver is
    // unloaded when its last window goes, and with it the memory in which it kept
    // its pointers: the leak check at exit would then report every block the
    // driver still held as lost.
    int dlclose(void*)
    {
        return 0;
    }
}
