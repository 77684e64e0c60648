// A libFuzzer executable for one target, chosen when it is built (KERLA_FUZZ_TARGET).
#include "fuzztargets.h"

#include <cstdint>
#include <cstdio>
#include <cstdlib>

namespace {
const fuzztargets::Target *g_target = nullptr;
}

extern "C" int LLVMFuzzerInitialize(int *argc, char ***argv) {
    fuzztargets::setUp(argc, argv);
    g_target = fuzztargets::find(KERLA_FUZZ_TARGET);
    if (!g_target) {
        std::fprintf(stderr, "no fuzz target named %s\n", KERLA_FUZZ_TARGET);
        std::abort();
    }
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
    g_target->run(QByteArrayView(reinterpret_cast<const char *>(data), qsizetype(size)));
    return 0;
}
