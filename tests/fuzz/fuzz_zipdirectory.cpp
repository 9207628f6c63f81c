// The zip wrapper reads the central directory of any file a user drops: every byte
// sequence must end in entries or in one of its messages, never in a crash or a hang.

#include "platform/Prompts.h"
#include "zip/TZip.h"

#include <QFile>
#include <QTemporaryDir>
#include <cstdlib>

using namespace parvo;

namespace {

// No disk is ever swapped in: every question is answered with Cancel.
class NoAnswers : public Prompts {
public:
    void message(const QString&) override {}
    void error(const QString&) override {}
    PromptAnswer askYesNo(const QString&) override { return PromptAnswer::No; }
    PromptAnswer askRetryCancel(const QString&) override { return PromptAnswer::Cancel; }
    PromptAnswer askOkCancel(const QString&) override { return PromptAnswer::Cancel; }
    void beep() override {}
    void about(const QString&, const QString&) override {}
    std::optional<QString> askText(const QString&, const QString&) override { return std::nullopt; }
    PromptAnswer ask(const QString&, PromptButtons, PromptIcon, int) override { return PromptAnswer::Cancel; }
};

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    static QTemporaryDir dir(QStringLiteral("/dev/shm/fuzz-zipdir-XXXXXX"));
    static const QString path = dir.path() + QStringLiteral("/a.zip");
    static NoAnswers prompts;
    {
        QFile f(path);
        if (!f.open(QIODevice::WriteOnly | QIODevice::Truncate))
            std::abort();
        f.write(reinterpret_cast<const char*>(data), qint64(size));
    }
    TZip zip({prompts, nullptr, QString(), {}});
    try {
        zip.SetZipPath(path);
        // What was read is consistent with the record that announced it.
        if (zip.Entries.size() > 65535 || (zip.Entries.size() > 0 && zip.DirEndPos < 0))
            std::abort();
        for (const TFileInfo& e : zip.Entries) {
            if (e.Header[0] != 'P' || e.Header[1] != 'K' || e.Header[2] != 1 || e.Header[3] != 2)
                std::abort();
        }
    } catch (const ZipException& e) {
        if (!zip.Entries.isEmpty() || e.Message.isEmpty())
            std::abort();
    }
    return 0;
}
