// GO! dialog completion benchmark: the time from a key press to the completion shown,
// per keystroke, in the address box with 20,000 addresses in its list and in the local
// path box in a folder of 100,000 entries, each as a ratio to a floor measured in the
// same run on the same data: a bare prefix scan (of the address list in memory; of the
// folder's names as the system lists them). Offscreen.
//
// usage: go_completion_bench [SCRATCH_FOLDER]

#include "dialogs/TGodlg.h"
#include "widgets/ImageStrip.h"

#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QKeyEvent>
#include <QLineEdit>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QThread>
#include <algorithm>
#include <cstdio>
#include <cstring>
#include <vector>
#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

using namespace parvo;

namespace {

constexpr int kAddresses = 20000;
constexpr int kEntries = 100000;

QStringList Addresses()
{
    static const char* hosts[] = {"www.", "", "news.", "mail.", "shop."};
    static const char* words[] = {"alba", "bosco", "casa", "dado", "erba", "fiume", "gatto", "isola", "luna", "mare",
                                  "neve", "oro", "pane", "quadro", "rosa", "sole", "treno", "uva", "vento", "zucca"};
    QStringList list;
    for (int i = 0; i < kAddresses; ++i) {
        list.append(QStringLiteral("%1%2%3.example/%4").arg(QLatin1String(hosts[i % 5]), QLatin1String(words[(i / 5) % 20]))
                        .arg(i).arg(QLatin1String(words[(i * 7) % 20])));
    }
    std::sort(list.begin(), list.end(), [](const QString& a, const QString& b) { return a.compare(b, Qt::CaseInsensitive) < 0; });
    return list;
}

// What is typed, one keystroke at a time.
const char* kTypedAddress = "www.fiume1225.ex";
const char* kTypedName = "cartella_04321";

void Press(QWidget* w, QChar c)
{
    QKeyEvent press(QEvent::KeyPress, Qt::Key_unknown, Qt::NoModifier, QString(c));
    QApplication::sendEvent(w, &press);
    QKeyEvent release(QEvent::KeyRelease, Qt::Key_unknown, Qt::NoModifier, QString(c));
    QApplication::sendEvent(w, &release);
}

// The first address starting with `prefix`, the way a plain loop finds it.
qsizetype ScanAddresses(const QStringList& list, const QString& prefix)
{
    for (qsizetype i = 0; i < list.size(); ++i) {
        if (list[i].startsWith(prefix, Qt::CaseInsensitive))
            return i;
    }
    return -1;
}

// The first name (in byte order) in `folder` starting with `prefix`, read as it is listed.
QByteArray ScanFolder(const QByteArray& folder, const QByteArray& prefix)
{
    QByteArray best;
    if (DIR* d = opendir(folder.constData())) {
        while (const dirent* e = readdir(d)) {
            if (std::strncmp(e->d_name, prefix.constData(), size_t(prefix.size())) == 0
                && (best.isEmpty() || std::strcmp(e->d_name, best.constData()) < 0))
                best = e->d_name;
        }
        closedir(d);
    }
    return best;
}

// The time from the first key typed in a new dialog's local path box (whose completer has
// read nothing yet) to the completion shown.
qint64 FirstKeystroke(const ImageStrip& strip, const QString& folder)
{
    QString menuKey;
    TGodlg dlg(strip, menuKey, LocalNames{{}, QDir::homePath()});
    dlg.show();
    QApplication::processEvents();
    dlg.LocalEdit->setFocus();
    dlg.LocalEdit->setText(folder + QLatin1Char('/'));
    QSignalSpy answers(dlg.localCompleter(), &FolderNameCompleter::completed);
    QElapsedTimer t;
    t.start();
    Press(dlg.LocalEdit, QLatin1Char(kTypedName[0]));
    while (answers.isEmpty())
        answers.wait(5000);
    QApplication::processEvents();
    dlg.LocalEdit->repaint();
    return t.nsecsElapsed();
}

qint64 Median(std::vector<qint64> v)
{
    std::sort(v.begin(), v.end());
    return v[v.size() / 2];
}

void MakeFolder(const QString& path)
{
    QDir().mkpath(path);
    const QByteArray base = QFile::encodeName(path);
    for (int i = 0; i < kEntries; ++i) {
        // One in ten a folder, the rest files; names spread so that prefixes narrow slowly.
        const QByteArray name = base + (i % 10 == 0 ? "/cartella_" : "/file_") + QByteArray::number((i * 7919) % kEntries).rightJustified(5, '0');
        if (i % 10 == 0)
            mkdir(name.constData(), 0755);
        else
            close(open(name.constData(), O_CREAT | O_WRONLY, 0644));
    }
}

} // namespace

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QTemporaryDir scratch(argc > 1 ? QString::fromLocal8Bit(argv[1]) + QStringLiteral("/go-bench-XXXXXX") : QString());
    const QString folder = scratch.path() + QStringLiteral("/cento_mila");
    MakeFolder(folder);
    // The folder's date must be older than a tick of its clock, as any folder a user types in.
    QThread::msleep(200);

    QImage glyphs(16 * 50, 16, QImage::Format_ARGB32);
    glyphs.fill(Qt::darkGreen);
    const ImageStrip strip(glyphs, 16);
    QString menuKey;
    TGodlg dlg(strip, menuKey, LocalNames{{}, QDir::homePath()});
    const QStringList addresses = Addresses();
    dlg.setWebItems(addresses);
    dlg.show();
    QApplication::processEvents();

    // The address box: the completion is in place when the key press returns.
    dlg.webcombo->setFocus();
    QElapsedTimer t;
    qint64 typed = 0, floor = 0;
    QString prefix;
    for (const char* c = kTypedAddress; *c; ++c) {
        prefix += QLatin1Char(*c);
        t.start();
        Press(dlg.webcombo, QLatin1Char(*c));
        dlg.webcombo->lineEdit()->repaint();
        typed += t.nsecsElapsed();
        t.start();
        volatile qsizetype found = ScanAddresses(addresses, prefix);
        (void)found;
        floor += t.nsecsElapsed();
    }
    const int addressKeys = int(std::strlen(kTypedAddress));
    if (!dlg.webcombo->lineEdit()->hasSelectedText())
        std::fprintf(stderr, "the address box offered no completion\n");

    // The local path box: the completion comes back from the completer's thread.
    dlg.LocalEdit->setFocus();
    dlg.LocalEdit->setText(folder + QLatin1Char('/'));
    QSignalSpy answers(dlg.localCompleter(), &FolderNameCompleter::completed);
    qint64 localTyped = 0, localFloor = 0;
    QByteArray namePrefix;
    const QByteArray nativeFolder = QFile::encodeName(folder);
    for (const char* c = kTypedName; *c; ++c) {
        namePrefix += *c;
        const qsizetype before = answers.size();
        t.start();
        Press(dlg.LocalEdit, QLatin1Char(*c));
        while (answers.size() == before)
            answers.wait(5000);
        QApplication::processEvents(); // the answer is applied by its own slot
        dlg.LocalEdit->repaint();
        const qint64 took = t.nsecsElapsed();
        t.start();
        volatile bool found = !ScanFolder(nativeFolder, namePrefix).isEmpty();
        (void)found;
        const qint64 scan = t.nsecsElapsed();
        localTyped += took;
        localFloor += scan;
    }
    const int localKeys = int(std::strlen(kTypedName));

    // The first keystroke reads the whole folder: a single reading is at the mercy of the
    // machine's other work, so the middle of a few is compared, each against a scan
    // right after it.
    std::vector<qint64> firsts, firstScans;
    for (int round = 0; round < 5; ++round) {
        firsts.push_back(FirstKeystroke(strip, folder));
        t.start();
        volatile bool found = !ScanFolder(nativeFolder, QByteArray(kTypedName, 1)).isEmpty();
        (void)found;
        firstScans.push_back(t.nsecsElapsed());
    }
    const qint64 firstTyped = Median(firsts), firstFloor = Median(firstScans);
    if (!dlg.LocalEdit->text().startsWith(folder + QStringLiteral("/cartella_04321")))
        std::fprintf(stderr, "the local box shows %s\n", qPrintable(dlg.LocalEdit->text()));

    std::printf("address box, %d addresses: %.1f us a keystroke, bare scan %.1f us\n", kAddresses,
                typed / 1e3 / addressKeys, floor / 1e3 / addressKeys);
    std::printf("local box, %d entries: %.2f ms a keystroke (first %.2f ms), bare scan %.2f ms (first %.2f ms)\n",
                kEntries, localTyped / 1e6 / localKeys, firstTyped / 1e6, localFloor / 1e6 / localKeys, firstFloor / 1e6);
    std::printf("ratio address_keystroke %.3f\n", double(typed) / double(floor));
    std::printf("ratio local_keystroke %.3f\n", double(localTyped) / double(localFloor));
    std::printf("ratio local_first_keystroke %.3f\n", double(firstTyped) / double(firstFloor));
    return 0;
}
