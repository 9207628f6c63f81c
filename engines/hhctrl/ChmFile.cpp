#include "ChmFile.h"

#include "ChmFormat.h"

#include <QFile>
#include <QFileInfo>

#include <chm_lib.h>

namespace parvo::chm {

namespace {

// A page, picture or list of a help file; a larger one is not read into memory.
constexpr quint64 kMaxStoredFile = 32ull << 20;

QString AsPagePath(const QByteArray& stored)
{
    QString p = QString::fromUtf8(stored);
    while (p.endsWith(QChar(0)))
        p.chop(1);
    if (p.isEmpty())
        return {};
    return p.startsWith(QLatin1Char('/')) ? p : QLatin1Char('/') + p;
}

} // namespace

std::unique_ptr<ChmFile> ChmFile::open(const QString& path, QString* error)
{
    const auto fail = [&](const QString& why) {
        if (error)
            *error = why;
        return nullptr;
    };
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return fail(QStringLiteral("il file non si può aprire (%1)").arg(file.errorString()));
    DirectoryResult dir = ReadDirectory(file);
    if (!dir.directory)
        return fail(QStringLiteral("il file è danneggiato: ") + dir.error);

    std::unique_ptr<ChmFile> chm(new ChmFile);
    chm->path_ = path;
    const QFileInfo info(file);
    chm->modified_ = info.lastModified();
    chm->size_ = info.size();
    chm->directory_ = std::move(*dir.directory);
    for (qsizetype i = 0; i < chm->directory_.entries.size(); ++i)
        chm->byName_.insert(chm->directory_.entries[i].name.toLower(), i);
    // Handed to chmlib only now that its directory is known to be sound.
    chm->handle_ = chm_open(QFile::encodeName(path).constData());
    if (!chm->handle_)
        return fail(QStringLiteral("il file non è un file della guida leggibile"));
    chm->readSystem();
    chm->findMissingParts();
    return chm;
}

ChmFile::~ChmFile()
{
    if (handle_)
        chm_close(handle_);
}

bool ChmFile::contains(const QString& name) const
{
    return byName_.contains(name.toUtf8().toLower());
}

std::optional<QByteArray> ChmFile::read(const QString& name) const
{
    const QByteArray key = name.toUtf8();
    const auto it = byName_.constFind(key.toLower());
    if (it == byName_.cend())
        return std::nullopt;
    const DirectoryEntry& entry = directory_.entries[*it];
    if (entry.section != UncompressedSection || entry.isFolder() || entry.length > kMaxStoredFile)
        return std::nullopt;

    chmUnitInfo unit;
    if (chm_resolve_object(handle_, entry.name.constData(), &unit) != CHM_RESOLVE_SUCCESS
        || unit.space != CHM_UNCOMPRESSED || quint64(unit.length) != entry.length)
        return std::nullopt;
    QByteArray data(qsizetype(entry.length), Qt::Uninitialized);
    if (entry.length == 0)
        return data;
    const LONGINT64 got = chm_retrieve_object(handle_, &unit, reinterpret_cast<unsigned char*>(data.data()), 0,
                                              LONGINT64(entry.length));
    if (got != LONGINT64(entry.length))
        return std::nullopt;
    return data;
}

bool ChmFile::isCurrent() const
{
    const QFileInfo info(path_);
    return info.exists() && info.lastModified() == modified_ && info.size() == size_;
}

void ChmFile::readSystem()
{
    const auto system = read(QStringLiteral("/#SYSTEM"));
    if (!system || system->size() < 4)
        return;
    const QByteArray& s = *system;
    qsizetype pos = 4; // after the version
    while (pos + 4 <= s.size()) {
        const quint16 code = Le16(s.constData() + pos);
        const quint16 length = Le16(s.constData() + pos + 2);
        pos += 4;
        if (pos + length > s.size())
            break;
        const QByteArray data = s.mid(pos, length);
        pos += length;
        switch (code) {
        case SystemContentsFile: contentsFile_ = AsPagePath(data); break;
        case SystemIndexFile: indexFile_ = AsPagePath(data); break;
        case SystemDefaultTopic: defaultTopic_ = AsPagePath(data); break;
        case SystemTitle: title_ = QString::fromUtf8(data).remove(QChar(0)); break;
        default: break;
        }
    }
}

void ChmFile::findMissingParts()
{
    // A file compiled without some #SYSTEM records still has its lists and pages.
    const auto first = [this](const char* suffix) {
        for (const DirectoryEntry& e : directory_.entries) {
            if (e.name.startsWith('/') && e.name.toLower().endsWith(suffix))
                return QString::fromUtf8(e.name);
        }
        return QString();
    };
    if (contentsFile_.isEmpty())
        contentsFile_ = first(".hhc");
    if (indexFile_.isEmpty())
        indexFile_ = first(".hhk");
    if (defaultTopic_.isEmpty())
        defaultTopic_ = first(".html");
    if (defaultTopic_.isEmpty())
        defaultTopic_ = first(".htm");
}

} // namespace parvo::chm
