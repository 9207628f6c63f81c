#include "app/FontSetup.h"

#include <QFontDatabase>
#include <QFontMetrics>
#include <QGuiApplication>

#include <fontconfig/fontconfig.h>

#include <system_error>

namespace parvo {

namespace {

// The configuration that the library's own start would make, without the descriptions of
// every configuration file it could have used (read only to list them): matching is the
// same, and about a third of the reading is saved. Where the configuration is unusual
// (no cache folders named, or none readable), the library's own start runs instead.
void ReadFontConfiguration()
{
    FcConfig* config = FcConfigCreate();
    bool own = config && FcConfigParseAndLoad(config, nullptr, FcTrue);
    if (own) {
        FcStrList* caches = FcConfigGetCacheDirs(config);
        own = caches && FcStrListNext(caches);
        FcStrListDone(caches);
    }
    own = own && FcConfigBuildFonts(config) && FcConfigSetCurrent(config);
    if (config)
        FcConfigDestroy(config); // the current configuration keeps a reference of its own
    if (!own)
        FcInit();
}

} // namespace

FontSetup::FontSetup()
{
    try {
        thread_ = std::thread(&FontSetup::run, this);
    } catch (const std::system_error&) {
        // No thread to spare: the fonts are made ready when text is first drawn.
    }
}

void FontSetup::run()
{
    ReadFontConfiguration();
    std::unique_lock lock(mutex_);
    changed_.wait(lock, [this] { return app_ != App::Coming; });
    if (app_ != App::Started)
        return;
    lock.unlock();
    // The font database is shared by every thread (under a lock of its own): filling it
    // here, and finding the fallbacks of the application's font, leaves the interface
    // thread only its own font engines to make.
    QFontDatabase::families();
    QFontMetrics(QGuiApplication::font()).horizontalAdvance(QStringLiteral("C:"));
}

void FontSetup::applicationStarted()
{
    const std::lock_guard lock(mutex_);
    app_ = App::Started;
    changed_.notify_all();
}

void FontSetup::wait()
{
    {
        const std::lock_guard lock(mutex_);
        if (app_ == App::Coming)
            app_ = App::Gone;
        changed_.notify_all();
    }
    if (thread_.joinable())
        thread_.join();
}

} // namespace parvo
