#pragma once

#include <QByteArrayView>

#include <span>

// The entry points that the fuzzers (libFuzzer, clang) and the corpus replay (every build) feed
// with bytes. Each one runs the program's own code on the bytes and aborts when what comes out
// breaks a rule the code promises (a round trip that loses a byte, a write that does not read
// back); crashes, hangs and leaks are left to the sanitizers.
namespace fuzztargets {

struct Target {
    const char *name; // also the folder of its corpus: tests/corpus/<name>/
    void (*run)(QByteArrayView data);
};

std::span<const Target> all();
const Target *find(const char *name);
// The targets of the yearly-data import (importtargets.cpp); all() holds them too.
std::span<const Target> importTargets();

// A broken promise: aborts with `what`, and the input that shows it is the reproducer.
void check(bool ok, const char *what);

// Once per process, before the first run: the GUI application that documents and pictures need
// (offscreen unless a platform is set) and the scratch folder of the file-based targets.
void setUp(int *argc, char ***argv);

} // namespace fuzztargets
