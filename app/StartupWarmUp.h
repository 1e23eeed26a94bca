#pragma once
// Start-up work the window needs but does not have to do itself, done on a thread of its own
// (on another processor) while the window is being made: the font configuration is read, then
// the database client library is mapped. Started once the application object exists: while it
// connects to the display, a second busy thread only slows the display server down. Nothing is
// reported from here: a missing client library is still found and reported by the first service
// component, exactly as without the warm-up.

#include <future>
#include <thread>

class TStartupWarmUp {
public:
    TStartupWarmUp();  // starts the thread
    ~TStartupWarmUp(); // waits for it to end
    TStartupWarmUp(const TStartupWarmUp&) = delete;
    TStartupWarmUp& operator=(const TStartupWarmUp&) = delete;

    // Returns once the font configuration has been read.
    void WaitForFonts() const;

private:
    std::promise<void> fontsRead_;
    std::shared_future<void> fontsReady_;
    std::thread worker_;
};

// Waits for the fonts of the warm-up under way, if there is one; returns at once otherwise.
// Called before the first text is measured: earlier, this thread would read the configuration
// a second time instead of using the warm-up's.
void WaitForStartupFonts();
