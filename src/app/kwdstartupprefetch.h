#pragma once

#include <condition_variable>
#include <mutex>
#include <thread>

// Start-up work that touches no widget, done on a second core while the application object, the
// splash screen, the database and the store are prepared: fontconfig's configuration and caches
// are read, then (once the application object exists) the SQLite driver and the image plug-ins are
// loaded, so the window is built without waiting for them. Owns its thread.
class kwdStartupPrefetch
{
public:
    // Starts at once; create it before the application object so that fonts load during its set-up.
    kwdStartupPrefetch();
    ~kwdStartupPrefetch();
    kwdStartupPrefetch(const kwdStartupPrefetch&) = delete;
    kwdStartupPrefetch& operator=(const kwdStartupPrefetch&) = delete;

    // The application object exists: plug-ins can be looked up in its library paths.
    void applicationReady();
    // Returns once everything is loaded (the window must not be built while fonts are configured).
    void wait();

private:
    void run();

    std::mutex lock;
    std::condition_variable ready;
    bool appReady = false;
    bool cancelled = false;
    std::thread worker;
};
