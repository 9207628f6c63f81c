// The wrapper's answers to the engines' reports and questions.

#include "zip/TZip.h"

#include "app/StringTable.h"
#include "platform/Prompts.h"

#include <cstring>

namespace parvo {

namespace {

QString RecordText(const CallbackRecord& r)
{
    return QString::fromUtf8(r.Text, int(strnlen(r.Text, sizeof r.Text)));
}

QString WithName(int id, const QString& name)
{
    return Str(id).replace(QLatin1String("%s"), name);
}

QString SkipReason(int reason)
{
    switch (reason) {
    case ZIP_SKIP_UNSAFE_NAME: return Str(65313);
    case ZIP_SKIP_TOO_LARGE: return Str(65314);
    case ZIP_SKIP_DAMAGED: return Str(65315);
    case ZIP_SKIP_WRITE_FAILED: return Str(65316);
    case ZIP_SKIP_UNREADABLE: return Str(65317);
    default: return {};
    }
}

} // namespace

bool TZip::EngineCallback(CallbackRecord& r)
{
    if (Cancelled)
        return true;
    const QString text = RecordText(r);
    bool prompted = false;
    switch (r.ActionCode) {
    case ZIP_ACTION_BEGIN_FILE:
        CurrentFileName = text.left(512);
        emit OnZEDBeginFileEvent(CurrentFileName, r.Size, BatchCount, TotalBytes);
        if (progress_)
            progress_->SetFileName(CurrentFileName);
        break;
    case ZIP_ACTION_PROGRESS:
        BytesDone += r.Size;
        emit OnZEDProgressEvent(CurrentFileName, BytesDone, TotalBytes);
        if (progress_)
            progress_->SetPosition(BytesDone);
        break;
    case ZIP_ACTION_END_BATCH:
        emit OnZEDEndBatchEvent(SkippedCount, BatchCount, TotalBytes);
        if (progress_)
            progress_->Hide();
        break;
    case ZIP_ACTION_MESSAGE:
        // Nothing is asked; an error the engine met is told once the batch is over.
        if (r.ErrorCode != 0 && !text.isEmpty())
            problems_.append(text);
        break;
    case ZIP_ACTION_FILE_COUNT:
        BatchCount = int(r.Size);
        break;
    case ZIP_ACTION_TOTAL_BYTES:
        TotalBytes = r.Size;
        BytesDone = 0;
        SkippedCount = 0;
        if (progress_)
            progress_->SetMaximum(TotalBytes);
        break;
    case ZIP_ACTION_PASSWORD: {
        if (progress_)
            progress_->Hide();
        prompted = true;
        const QString prompt = r.Size == 3 ? WithName(65280, text) : Str(65281);
        const QString answer = services_.prompts.askText(prompt, QString()).value_or(QString());
        if (!answer.isEmpty()) {
            const QByteArray bytes = answer.toUtf8().left(int(sizeof r.Text) - 1);
            std::memcpy(r.Text, bytes.constData(), size_t(bytes.size()));
            r.Text[bytes.size()] = '\0';
            r.ErrorCode = 1;
            if (r.Size > 0)
                --r.Size;
        } else {
            if (services_.prompts.ask(Str(65282), PromptButtons::YesNo, PromptIcon::Question) == PromptAnswer::No)
                Cancelled = true;
            r.ErrorCode = 0;
            r.Size = 0;
        }
        break;
    }
    case ZIP_ACTION_CRC_ERROR: {
        if (progress_)
            progress_->Hide();
        prompted = true;
        const PromptAnswer a = services_.prompts.ask(WithName(65283, text), PromptButtons::YesNoCancel, PromptIcon::Question, 2);
        if (a == PromptAnswer::Cancel)
            Cancelled = true;
        else
            r.ErrorCode = a == PromptAnswer::Yes ? 1 : 0;
        break;
    }
    case ZIP_ACTION_OVERWRITE:
        if (!(ExtractFlags & 0x0B)) {
            r.Size = 1;
        } else if (ExtractFlags & 0x03) {
            r.Size = r.ErrorCode & 1;
            // Left alone by the rule, not by an answer: the user is told afterwards.
            if (r.Size == 0)
                problems_.append(text + QLatin1String(" (") + Str(65319) + QLatin1Char(')'));
        } else {
            if (progress_)
                progress_->Hide();
            prompted = true;
            const PromptAnswer a = (r.ErrorCode & 1)
                ? services_.prompts.ask(WithName(65284, text), PromptButtons::YesNoCancel, PromptIcon::Information)
                : services_.prompts.ask(WithName(65285, text), PromptButtons::YesNoCancel, PromptIcon::Error, 2);
            if (a == PromptAnswer::Cancel) {
                r.Size = 0;
                Cancelled = true;
            } else {
                r.Size = a == PromptAnswer::Yes ? 1 : 0;
            }
        }
        break;
    case ZIP_ACTION_SKIPPED:
        ++SkippedCount;
        if (const QString why = SkipReason(r.ErrorCode); !why.isEmpty())
            problems_.append(text + QLatin1String(" (") + why + QLatin1Char(')'));
        break;
    default:
        break;
    }
    if (prompted && !Cancelled)
        ShowProgressAgain();
    if (Cancelled)
        cancelFlag_ = true;
    return Cancelled;
}

void TZip::ShowProgressAgain()
{
    if (progress_ && ShowProgressDialog)
        progress_->Show();
}

void TZip::ReportProblems()
{
    if (problems_.isEmpty())
        return;
    // A few lines say enough; the rest are counted.
    constexpr int Shown = 12;
    QStringList lines = problems_.mid(0, Shown);
    if (problems_.size() > Shown)
        lines.append(Str(65318).replace(QLatin1String("%d"), QString::number(problems_.size() - Shown)));
    problems_.clear();
    Notice(Str(65312) + QLatin1Char('\n') + lines.join(QLatin1Char('\n')));
}

} // namespace parvo
