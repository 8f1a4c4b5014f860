// A library that the external-function tests find in the test program's folder.
extern "C" __attribute__((visibility("default"))) int TestPluginAnswer() { return 42; }
