// Shortcut files come from anywhere a user drops them. Decoding must never read outside
// the bytes, and whatever it accepts must survive being written and read again unchanged.

#include "platform/linux/ShellLinkFile.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    using namespace parvo;
    const QByteArray bytes = QByteArray::fromRawData(reinterpret_cast<const char*>(data), qsizetype(size));
    const auto link = DecodeShellLink(bytes);
    if (!link)
        return 0;
    const QByteArray written = EncodeShellLink(*link);
    if (written.isEmpty())
        std::abort();
    const auto again = DecodeShellLink(written);
    if (!again || *again != *link)
        std::abort();
    return 0;
}
