// Relayout benchmark: one `Relayout()` of a bar with 26 drives and 200 program buttons
// (the drive buttons rebuilt, both strips arranged, the layout computed and applied), as
// a ratio to one repaint of the same bar measured in the same run. Offscreen.
//
// usage: relayout_bench [ITERATIONS]

#include "bar/BarPanels.h"
#include "bar/DriveButtons.h"
#include "bar/ProgramStrip.h"
#include "platform/ShellLinks.h"
#include "widgets/ImageStrip.h"

#include <QApplication>
#include <QElapsedTimer>
#include <cstdio>
#include <cstdlib>

using namespace parvo;

namespace {

// Every shortcut exists and starts the same program.
class AnyLinks : public ShellLinks {
public:
    bool write(const QString&, const ShellLink&) override { return true; }
    std::optional<ShellLink> read(const QString&) const override { return ShellLink{"/usr/bin/true", {}, {}, {}, {}, 0}; }
};

} // namespace

int main(int argc, char* argv[])
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const int iterations = argc > 1 ? std::atoi(argv[1]) : 200;

    QImage strip(54 * 16, 16, QImage::Format_RGB32);
    strip.fill(Qt::gray);
    const ImageStrip glyphs(strip, 16);
    AnyLinks links;
    QWidget bar;
    bar.resize(8000, 28); // wide enough that every button is on screen and painted
    BarPanels panels(&bar);
    panels.setPictures(glyphs, QPixmap(60, 18), QPixmap(22, 60));
    DriveButtons drives(panels.a2);
    ProgramStrip programs(links, panels.a4m);
    QStringList names;
    for (int i = 0; i < 200; ++i)
        names << QStringLiteral("program%1").arg(i);
    programs.BuildProgramButtons(QStringLiteral("/nowhere/"), names);
    while (programs.isReading()) // the shortcuts are read off the interface thread
        QApplication::processEvents(QEventLoop::WaitForMoreEvents);
    QList<DriveInfo> driveList;
    for (int i = 0; i < 26; ++i)
        driveList.append({QChar('A' + i), QStringLiteral("/mnt/d%1/").arg(i), 3, {}});
    bar.show();

    auto relayout = [&] {
        BarLayoutInput in;
        in.edge = abeTop;
        in.clientWidth = bar.width();
        in.clientHeight = bar.height();
        in.logoWidth = 60;
        in.programStripLength = programs.ArrangeProgramButtons(true);
        in.driveStripLength = drives.ArrangeDriveButtons(driveList, true, 1, 4, glyphs);
        const auto layout = FormResize(in);
        panels.apply(*layout, glyphs);
        programs.setGeometry(layout->ScrolledProgramStrip());
    };
    relayout();
    QApplication::processEvents();

    QElapsedTimer t;
    t.start();
    for (int i = 0; i < iterations; ++i) {
        relayout();
        QApplication::processEvents(); // deferred deletes of the old drive buttons
    }
    const double relayoutUs = double(t.nsecsElapsed()) / iterations / 1000.0;

    t.restart();
    for (int i = 0; i < iterations; ++i)
        bar.grab();
    const double repaintUs = double(t.nsecsElapsed()) / iterations / 1000.0;

    std::printf("relayout (26 drives, 200 programs): %.1f us; one repaint of the same bar: %.1f us; ratio %.2f\n",
                relayoutUs, repaintUs, relayoutUs / repaintUs);
    std::printf("ratio relayout_vs_repaint %.2f\n", relayoutUs / repaintUs);
    return 0;
}
