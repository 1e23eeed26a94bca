#include "StartupWarmUp.h"

#include "FontConfiguration.h"
#include "IBIntf.h"
#include "ThreadPlacement.h"

#include <atomic>
#include <system_error>

namespace {

std::atomic<const TStartupWarmUp*> current{nullptr};

} // namespace

TStartupWarmUp::TStartupWarmUp() : fontsReady_(fontsRead_.get_future().share()) {
    try {
        worker_ = std::thread([this] {
            ReadFontConfiguration();
            fontsRead_.set_value();
            PreloadClientLibrary();
        });
    } catch (const std::system_error&) {
        // No thread to be had (a process limit, say): the window reads the configuration
        // itself at its first text and maps the library when it needs it, as it always could.
        fontsRead_.set_value();
        return;
    }
    KeepOffCallingProcessor(worker_);
    current.store(this);
}

TStartupWarmUp::~TStartupWarmUp() {
    const TStartupWarmUp* self = this;
    current.compare_exchange_strong(self, nullptr);
    if (worker_.joinable())
        worker_.join();
}

void TStartupWarmUp::WaitForFonts() const {
    fontsReady_.wait();
}

void WaitForStartupFonts() {
    if (const TStartupWarmUp* warmUp = current.load())
        warmUp->WaitForFonts();
}
