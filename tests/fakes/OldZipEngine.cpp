// An adding engine of an interface version older than the wrapper's records.

#include "../../engines/ZipEngineRecords.h"

extern "C" __attribute__((visibility("default"))) int32_t GetZipDllVersion(void)
{
    return 150;
}

extern "C" __attribute__((visibility("default"))) int32_t ZipDllExec(ZipParams*)
{
    return 0;
}
