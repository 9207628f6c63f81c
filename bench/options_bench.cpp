// Options dialog benchmark, offscreen, each figure against a floor measured in the same run:
//  - opening the dialog to its first painted page with 5,000 programs, 5,000 web links and
//    5,000 e-mail addresses, against the same dialog over empty lists (goal: at most 1.5):
//    from the main menu (the first page of settings), and from the e-mail menu, whose page
//    shows 5,000 rows at once;
//  - one move-up in a 5,000-row list with its file rewrite, against a bare atomic rewrite of
//    the same file (goal: at most 2).
// The last lines are "ratio NAME VALUE".
//
// usage: options_bench [ITERATIONS]

#include "FakeLiveBar.h"
#include "FakePrompts.h"
#include "FakeShell.h"
#include "FakeShellLinks.h"
#include "dialogs/ListEditorView.h"
#include "dialogs/ListPageView.h"
#include "dialogs/LiveBar.h"
#include "dialogs/TOptionsDlg.h"
#include "platform/Prompts.h"
#include "platform/Shell.h"
#include "platform/ShellLinks.h"
#include "platform/linux/LinuxRegistry.h"
#include "settings/ListFile.h"
#include "settings/ListFiles.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QSaveFile>
#include <QTemporaryDir>
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <vector>

using namespace parvo;

namespace {

double Median(std::vector<double> v)
{
    std::sort(v.begin(), v.end());
    return v[v.size() / 2];
}

void FillLists(const QString& program, int rows)
{
    QDir().mkpath(program + "data");
    QStringList programs, links, mails;
    for (int i = 0; i < rows; ++i) {
        programs << QStringLiteral("Programma %1").arg(i);
        links << QStringLiteral("Pagina %1|http://www.example.com/pagina/%1.html").arg(i);
        mails << QStringLiteral("Amico %1|amico.%1@example.org").arg(i);
    }
    WriteListFile(ListFilePath(program, "shortcut"), EditorHeader("shortcut"), programs);
    WriteListFile(ListFilePath(program, "www"), EditorHeader("www"), links);
    WriteListFile(ListFilePath(program, "email"), EditorHeader("email"), mails);
}

} // namespace

int main(int argc, char* argv[])
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const int iterations = argc > 1 ? std::max(3, std::atoi(argv[1])) : 7;

    QTemporaryDir tmp;
    XdgDirs dirs;
    dirs.home = tmp.path();
    dirs.configHome = tmp.path() + "/config";
    LinuxRegistry registry(LinuxRegistry::defaultFilePath(dirs), dirs);
    EnsureOptionDefaults(registry);
    FakeLiveBar bar;
    LoadOptions(registry, bar.settings);
    FakePrompts prompts;
    FakeShellLinks links;
    FakeShell shell;
    QImage picture(54 * 16, 16, QImage::Format_ARGB32);
    picture.fill(Qt::gray);
    const ImageStrip pictures(picture, 16);

    const QString full = tmp.path() + "/full/";
    const QString empty = tmp.path() + "/empty/";
    FillLists(full, 5000);
    FillLists(empty, 0);

    const auto openOnce = [&](const QString& program, const QString& menuKey) {
        QElapsedTimer t;
        t.start();
        OptionsDialogServices s(registry, bar, prompts, links, shell);
        s.programFolder = program;
        s.DisplayTitle = "Parvo";
        s.MenuKey = menuKey;
        s.PopupImg = pictures;
        s.questions.editEntry = [](int, const EditorRow&) { return std::optional<EditorRow>(); }; // cancelled
        TOptionsDlg dialog(std::move(s));
        dialog.setAttribute(Qt::WA_DontShowOnScreen);
        dialog.show();
        QApplication::processEvents();
        dialog.grab(); // the first page painted
        const double ms = double(t.nsecsElapsed()) / 1e6;
        dialog.close();
        return ms;
    };
    const auto medianOpen = [&](const QString& program, const QString& menuKey) {
        openOnce(program, menuKey); // warm-up: fonts, styles, caches
        std::vector<double> times;
        for (int i = 0; i < iterations; ++i)
            times.push_back(openOnce(program, menuKey));
        return Median(times);
    };
    // Full and empty alternate, so that a change in the machine's load hits both alike.
    std::vector<double> mainFull, mainEmpty, mailFull, mailEmpty;
    for (int round = 0; round < 3; ++round) {
        mainFull.push_back(medianOpen(full, "Normal"));
        mainEmpty.push_back(medianOpen(empty, "Normal"));
        mailFull.push_back(medianOpen(full, "email"));
        mailEmpty.push_back(medianOpen(empty, "email"));
    }
    const double mainFullMs = Median(mainFull), mainEmptyMs = Median(mainEmpty);
    const double mailFullMs = Median(mailFull), mailEmptyMs = Median(mailEmpty);

    // One move-up with its rewrite, through the page as the user clicks it.
    ListPage page(ListKind::WebLinks, full, bar, links, prompts);
    QWidget host;
    ListPageView view(page, {}, pictures, &host);
    view.setGeometry(0, 0, 408, 310);
    view.LayOut();
    host.setAttribute(Qt::WA_DontShowOnScreen);
    host.show();
    QApplication::processEvents();
    const int moves = iterations * 4;
    std::vector<double> moveTimes, writeTimes;
    const QString path = ListFilePath(full, "www");
    for (int i = 0; i < moves; ++i) {
        view.view()->selectRow(2500 + (i % 2)); // up and back again
        QElapsedTimer t;
        t.start();
        view.UpClick();
        moveTimes.push_back(double(t.nsecsElapsed()) / 1e6);

        QFile file(path);
        file.open(QIODevice::ReadOnly);
        const QByteArray bytes = file.readAll();
        file.close();
        t.restart();
        QSaveFile save(path);
        save.open(QIODevice::WriteOnly);
        save.write(bytes);
        save.commit();
        writeTimes.push_back(double(t.nsecsElapsed()) / 1e6);
    }
    const double moveMs = Median(moveTimes);
    const double writeMs = Median(writeTimes);

    std::printf("open from the main menu with 3 x 5,000 rows: %.2f ms; with empty lists: %.2f ms\n", mainFullMs,
                mainEmptyMs);
    std::printf("open on the e-mail page with 3 x 5,000 rows: %.2f ms; with empty lists: %.2f ms\n", mailFullMs,
                mailEmptyMs);
    std::printf("move-up in 5,000 rows with its rewrite: %.3f ms; bare atomic rewrite: %.3f ms\n", moveMs, writeMs);
    std::printf("ratio options_open_5000_rows %.2f\n", mainFullMs / mainEmptyMs);
    std::printf("ratio options_open_on_5000_row_page %.2f\n", mailFullMs / mailEmptyMs);
    std::printf("ratio list_move_up_rewrite %.2f\n", moveMs / writeMs);
    return 0;
}
