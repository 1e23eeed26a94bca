#pragma once
// Skinning of windows that know nothing of skins. One application-wide event filter examines
// every top-level window once, before it is first shown (and windows already on the screen when
// it is installed): the program's forms get a provider (frame, title bar, client background),
// message boxes too, standard dialogs the dialog adapter, and the listed standard controls of a
// skinned form their adapters. The hook decides who is skinned; what the providers and adapters
// draw belongs to the controls library, which registers how to make them.

#include "SkinSettings.h"
#include "ThirdPartyList.h"

#include <QObject>
#include <QPointer>
#include <QString>
#include <vector>

class QWidget;
class TsSkinManager;

// Made by the controls library. Each returned object is owned by the widget it is attached to
// and undoes what it changed when it is deleted.
class TsSkinAttachments {
public:
    virtual ~TsSkinAttachments() = default;
    // Frame, title bar and client background of a top-level window; `clientSection` is FORM for
    // forms and message boxes, DIALOG for standard dialogs.
    virtual QObject* AttachProvider(QWidget* window, TsSkinManager* manager,
                                    const QString& clientSection) = 0;
    // An adapter of the given kind; null where Qt has no such control.
    virtual QObject* AttachAdapter(QWidget* control, TsSkinManager* manager, TsThirdPartyKind kind) = 0;
    // The default manager has a new skin (or none) and is about to tell the windows to redraw:
    // whatever the whole application shares (its style's palette) follows first.
    virtual void ApplicationSkinChanged(TsSkinManager* manager) = 0;
};

void SetSkinAttachments(TsSkinAttachments* attachments);
TsSkinAttachments* SkinAttachments();

// A control with this "Tag" property gets no adapter.
inline constexpr int NoAdapterTag = -98;

class TsSkinHook : public QObject {
    Q_OBJECT
public:
    explicit TsSkinHook(TsSkinManager* manager);
    ~TsSkinHook() override;

    void Install();
    // Removes the filter and frees every provider and adapter it attached.
    void Uninstall();
    bool Installed() const { return installed_; }

    // Forms that have a provider bound to `manager`, in the order they got it.
    static std::vector<QWidget*> ProviderForms(const TsSkinManager* manager);
    // Standard dialogs skinned through the hook.
    static std::vector<QWidget*> HookedWindows();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void Examine(QWidget* window);
    void AttachAdapters(QWidget* form);

    TsSkinManager* manager_;
    bool installed_ = false;
};

// Top-level windows the hook and the broadcast deal with: not popups, tool tips or the desktop.
bool IsSkinnableWindow(const QWidget* widget);
