// The registry file reader: whatever bytes it is given, what it reads must write out and
// read back as the same model, undamaged, and write out the same bytes again.
#include "platform/linux/RegistryFile.h"

#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    using parvo::RegistryFile;
    const auto first = RegistryFile::parse(QByteArray(reinterpret_cast<const char*>(data), qsizetype(size)));
    const QByteArray text = first.file.serialize();
    const auto second = RegistryFile::parse(text);
    if (second.damaged || !(second.file == first.file) || second.file.serialize() != text)
        std::abort();
    return 0;
}
