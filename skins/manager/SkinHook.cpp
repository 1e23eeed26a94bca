#include "SkinHook.h"

#include "SkinCommand.h"
#include "TsSkinManager.h"

#include <QApplication>
#include <QColorDialog>
#include <QErrorMessage>
#include <QFileDialog>
#include <QFontDialog>
#include <QInputDialog>
#include <QMessageBox>
#include <QProgressDialog>
#include <QWidget>

namespace {

TsSkinAttachments* attachments = nullptr;

struct Attached {
    QPointer<QWidget> Window;
    QPointer<QObject> Object;
    const TsSkinManager* Manager;
    bool Provider; // a form's provider (else a dialog adapter on a standard dialog)
};

// Everything the hook attached, in order; adapters of controls are only kept for freeing.
std::vector<Attached> attachedWindows;
std::vector<QPointer<QObject>> attachedAdapters;

const char* const ExaminedProperty = "morvaneSkinExamined";

bool IsStandardDialog(const QWidget* window) {
    return qobject_cast<const QFileDialog*>(window) || qobject_cast<const QColorDialog*>(window) ||
           qobject_cast<const QFontDialog*>(window) || qobject_cast<const QInputDialog*>(window) ||
           qobject_cast<const QProgressDialog*>(window) || qobject_cast<const QErrorMessage*>(window);
}

void Forget(std::vector<Attached>& list) {
    std::erase_if(list, [](const Attached& a) { return a.Window.isNull() || a.Object.isNull(); });
}

} // namespace

void SetSkinAttachments(TsSkinAttachments* value) {
    attachments = value;
}

TsSkinAttachments* SkinAttachments() {
    return attachments;
}

bool IsSkinnableWindow(const QWidget* widget) {
    if (widget == nullptr || !widget->isWindow())
        return false;
    const Qt::WindowType type = widget->windowType();
    return type == Qt::Window || type == Qt::Dialog || type == Qt::Sheet;
}

TsSkinHook::TsSkinHook(TsSkinManager* manager) : manager_(manager) {}

TsSkinHook::~TsSkinHook() {
    Uninstall();
}

void TsSkinHook::Install() {
    if (installed_)
        return;
    installed_ = true;
    qApp->installEventFilter(this);
    // Windows already on the screen are examined as if they had just been activated.
    for (QWidget* window : QApplication::topLevelWidgets())
        if (window->isVisible())
            Examine(window);
}

void TsSkinHook::Uninstall() {
    if (!installed_)
        return;
    installed_ = false;
    qApp->removeEventFilter(this);
    for (QPointer<QObject>& adapter : attachedAdapters)
        delete adapter.data();
    attachedAdapters.clear();
    for (Attached& a : attachedWindows) {
        if (a.Window)
            a.Window->setProperty(ExaminedProperty, QVariant());
        delete a.Object.data();
    }
    attachedWindows.clear();
}

std::vector<QWidget*> TsSkinHook::ProviderForms(const TsSkinManager* manager) {
    Forget(attachedWindows);
    std::vector<QWidget*> forms;
    for (const Attached& a : attachedWindows)
        if (a.Provider && a.Manager == manager)
            forms.push_back(a.Window);
    return forms;
}

std::vector<QWidget*> TsSkinHook::HookedWindows() {
    Forget(attachedWindows);
    std::vector<QWidget*> windows;
    for (const Attached& a : attachedWindows)
        if (!a.Provider)
            windows.push_back(a.Window);
    return windows;
}

bool TsSkinHook::eventFilter(QObject* watched, QEvent* event) {
    // Polish comes once, before a window is first shown; activation covers windows that were
    // already shown when the hook was installed.
    if ((event->type() == QEvent::Polish || event->type() == QEvent::WindowActivate) &&
        watched->isWidgetType())
        Examine(static_cast<QWidget*>(watched));
    return false;
}

void TsSkinHook::Examine(QWidget* window) {
    if (attachments == nullptr || !IsSkinnableWindow(window) || window->property(ExaminedProperty).toBool())
        return;
    window->setProperty(ExaminedProperty, true);
    if (SendSkinCommand(window, TsSkinCommand::QuerySkinned, manager_) == 1)
        return; // it skins itself
    const TacSkinningRules rules = manager_->SkinningRules;
    if (IsStandardDialog(window)) {
        if (rules & srStdDialogs)
            if (QObject* adapter = attachments->AttachProvider(window, manager_, QStringLiteral("DIALOG")))
                attachedWindows.push_back({window, adapter, manager_, false});
        return;
    }
    const bool messageBox = qobject_cast<QMessageBox*>(window) != nullptr;
    if (!(rules & (messageBox ? srStdDialogs : srStdForms)))
        return;
    if (QObject* provider = attachments->AttachProvider(window, manager_, QStringLiteral("FORM"))) {
        attachedWindows.push_back({window, provider, manager_, true});
        if (rules & srThirdParty)
            AttachAdapters(window);
    }
}

void TsSkinHook::AttachAdapters(QWidget* form) {
    for (QWidget* control : form->findChildren<QWidget*>()) {
        if (control->property("Tag").toInt() == NoAdapterTag)
            continue;
        TsThirdPartyKind kind;
        if (!manager_->ThirdParty.Find(QString::fromLatin1(control->metaObject()->className()), kind))
            continue;
        if (SendSkinCommand(control, TsSkinCommand::QuerySkinned, manager_) == 1)
            continue;
        if (QObject* adapter = attachments->AttachAdapter(control, manager_, kind))
            attachedAdapters.emplace_back(adapter);
    }
}
