// Loaded by the library tests: one exported entry point with a known answer.
extern "C" int PluginAnswer() {
    return 42;
}
