#include "zip/TZip.h"

namespace parvo {

TZip::TZip(Services services, QObject* parent)
    : QObject(parent)
    , services_(std::move(services))
{
}

TZip::~TZip()
{
    UnloadEngines();
}

void TZip::SetZipPath(const QString& path)
{
    ZipPath_ = path;
}

int TZip::Extract()
{
    FileList.clear();
    return 0;
}

int TZip::Add()
{
    FileList.clear();
    return 0;
}

void TZip::ReadDirectory() {}
void TZip::ClearEntries() { Entries.clear(); }
bool TZip::LoadZipEngine() { return false; }
bool TZip::LoadUnzipEngine() { return false; }
void TZip::UnloadEngines() {}

} // namespace parvo
