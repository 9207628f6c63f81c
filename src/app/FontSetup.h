#pragma once
// The fonts, made ready on a thread of its own while the program connects to the display
// and builds the bar. Reading the font configuration (a few dozen configuration files and
// the font caches), then listing every font for the application's font database, is the
// largest single piece of work before the bar can draw its first text, and nothing else
// needs the fonts until then.

#include <condition_variable>
#include <mutex>
#include <thread>

namespace parvo {

class FontSetup {
public:
    // Starts reading the font configuration.
    FontSetup();
    ~FontSetup() { wait(); }
    FontSetup(const FontSetup&) = delete;
    FontSetup& operator=(const FontSetup&) = delete;

    // The application object exists: its font database can be filled now.
    void applicationStarted();
    // Returns once the work is done; call while the application object still exists.
    // Without applicationStarted() before, only the configuration is read.
    void wait();

private:
    void run();

    std::mutex mutex_;
    std::condition_variable changed_;
    enum class App { Coming, Started, Gone } app_ = App::Coming;
    std::thread thread_;
};

} // namespace parvo
