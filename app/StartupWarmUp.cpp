#include "StartupWarmUp.h"

#include "FontConfiguration.h"
#include "IBIntf.h"
#include "ThreadPlacement.h"

#include <atomic>

namespace {

std::atomic<const TStartupWarmUp*> current{nullptr};

} // namespace

TStartupWarmUp::TStartupWarmUp() : fontsReady_(fontsRead_.get_future().share()) {
    worker_ = std::thread([this] {
        ReadFontConfiguration();
        fontsRead_.set_value();
        PreloadClientLibrary();
    });
    KeepOffCallingProcessor(worker_);
    current.store(this);
}

TStartupWarmUp::~TStartupWarmUp() {
    const TStartupWarmUp* self = this;
    current.compare_exchange_strong(self, nullptr);
    worker_.join();
}

void TStartupWarmUp::WaitForFonts() const {
    fontsReady_.wait();
}

void WaitForStartupFonts() {
    if (const TStartupWarmUp* warmUp = current.load())
        warmUp->WaitForFonts();
}
