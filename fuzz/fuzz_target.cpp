// The libFuzzer entry of every fuzz target; the build names the target in
// OPLAB_FUZZ_TARGET (see FuzzTargets.h).
#include "FuzzEnvironment.h"
#include "FuzzTargets.h"

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>

namespace {

FuzzTargets::Run target = nullptr;

} // namespace

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv)
{
    FuzzEnvironment::start(argc, argv);
    target = FuzzTargets::find(QStringLiteral(OPLAB_FUZZ_TARGET));
    if (!target) {
        std::fprintf(stderr, "no fuzz target %s\n", OPLAB_FUZZ_TARGET);
        std::abort();
    }
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    target(QByteArray::fromRawData(reinterpret_cast<const char*>(data), qsizetype(size)));
    return 0;
}
