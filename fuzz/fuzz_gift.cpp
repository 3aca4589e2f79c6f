// libFuzzer entry of the GIFT reader: see QuestionSourceInput.h.
#include "FuzzEnvironment.h"
#include "QuestionSourceInput.h"

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv)
{
    FuzzEnvironment::start(argc, argv);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    QuestionSourceInput::run(BankFormat::Gift,
                             QByteArray::fromRawData(reinterpret_cast<const char*>(data), qsizetype(size)));
    return 0;
}
