#include "SkinAttachments.h"

#include "SkinHook.h"
#include "TsEditAdapter.h"
#include "TsSkinProvider.h"
#include "TsSkinStyle.h"
#include "TsStatusBarAdapter.h"

#include <QApplication>

namespace {

class ControlAttachments : public TsSkinAttachments {
public:
    QObject* AttachProvider(QWidget* window, TsSkinManager* manager, const QString& clientSection) override {
        InstallSkinStyle();
        return new TsSkinProvider(window, manager, clientSection);
    }

    QObject* AttachAdapter(QWidget* control, TsSkinManager* manager, TsThirdPartyKind kind) override {
        switch (kind) {
        case TsThirdPartyKind::ThirdEdits:
            return new TsEditAdapter(control, manager);
        case TsThirdPartyKind::ThirdStatusBar:
            return new TsStatusBarAdapter(control, manager);
        default:
            // Qt's own buttons, lists, trees and grids take the skin through the style.
            return nullptr;
        }
    }

    void ApplicationSkinChanged(TsSkinManager*) override {
        InstallSkinStyle();
        if (auto* style = qobject_cast<TsSkinStyle*>(QApplication::style()))
            style->SkinChanged();
    }
};

} // namespace

void RegisterSkinAttachments() {
    static ControlAttachments attachments;
    SetSkinAttachments(&attachments);
}
