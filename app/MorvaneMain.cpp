#include "MorvaneMain.h"

#include "BuiltInSkins.h"
#include "CompactionRun.h"
#include "ErrorBox.h"
#include "FileSystem.h"
#include "FormPosition.h"
#include "IBServices.h"
#include "IniFile.h"
#include "KeyRepeatGuard.h"
#include "MainFormLayout.h"
#include "PlacementKeys.h"
#include "Placemnt.h"
#include "SizeText.h"
#include "SkinAttachments.h"
#include "SkinChoice.h"
#include "StartupWarmUp.h"
#include "TRichEdit.h"
#include "TStatusBar.h"
#include "TsButton.h"
#include "TsComboBox.h"
#include "TsGauge.h"
#include "TsSkinManager.h"

#include <QAccessible>
#include <QApplication>
#include <QCloseEvent>
#include <QFile>
#include <QFontDatabase>
#include <QGuiApplication>
#include <QLabel>
#include <QFontInfo>
#include <QShowEvent>
#include <QScopeGuard>
#include <QStandardItemModel>
#include <QSysInfo>
#include <QThread>
#include <QVBoxLayout>
#include <algorithm>
#include <map>

namespace {

constexpr qreal kRichEditIndentPoints = 3; // 60 twips
// The combo box lists the built-in skins by name; the manager knows them by name and this.
const QLatin1StringView BuiltInSuffix(" (internal)");

QFont FormFont() {
    // The installed font standing in for the Windows name is asked for by its own name: for a
    // name it does not have, Qt first searches every installed font for the nearest one.
    const QString windowsName = QString::fromUtf8(kFormFontFamily);
    const QStringList installed = QFontDatabase::families();
    QString family = windowsName;
    for (const QString& substitute : QFont::substitutes(windowsName)) {
        const auto found = std::find_if(installed.begin(), installed.end(), [&](const QString& name) {
            return name.compare(substitute, Qt::CaseInsensitive) == 0;
        });
        if (found != installed.end()) {
            family = *found;
            break;
        }
        // The list names a font in the language of the user's locale where the font has a name
        // in it (NanumGothic is 나눔고딕 on a Korean desktop): it is asked for by that name.
        if (QFontDatabase::hasFamily(substitute)) {
            QFont named(substitute);
            named.setPixelSize(kFormFontPixels);
            family = QFontInfo(named).family();
            break;
        }
    }
    QFont font(family);
    font.setPixelSize(kFormFontPixels);
    return font;
}

QWidget* CreateControl(const ControlLayout& layout, QWidget* parent) {
    switch (layout.Kind) {
    case ControlKind::Button: {
        auto* button = new TsButton(parent);
        button->SetSkinSection(QStringLiteral("SPEEDBUTTON"));
        button->setText(QString::fromUtf8(layout.Caption));
        button->setCursor(layout.HandCursor ? Qt::PointingHandCursor : Qt::ArrowCursor);
        return button;
    }
    case ControlKind::RichEdit:
    case ControlKind::LogPane: {
        auto* edit = new TRichEdit(parent);
        const bool log = layout.Kind == ControlKind::LogPane;
        edit->setReadOnly(true);
        // A log is read from the keyboard too, as a read-only edit box is: a caret moves
        // through it and selects, and Ctrl+C copies what it says (an engine's error, say).
        if (log)
            edit->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
        edit->setLineWrapMode(log ? QTextEdit::WidgetWidth : QTextEdit::NoWrap);
        edit->setVerticalScrollBarPolicy(log ? Qt::ScrollBarAlwaysOn : Qt::ScrollBarAlwaysOff);
        edit->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
        QPalette palette = edit->palette();
        if (log)
            palette.setColor(QPalette::Text, Qt::black);
        // The path and status boxes are disabled only so nobody edits them; they must stay legible.
        palette.setColor(QPalette::Disabled, QPalette::Text, palette.color(QPalette::Active, QPalette::Text));
        edit->setPalette(palette);
        return edit;
    }
    case ControlKind::ComboBox: {
        auto* combo = new TsComboBox(parent);
        combo->SetSkinSection(QStringLiteral("COMBOBOX"));
        for (const char* item : kSkinItems)
            combo->addItem(QString::fromUtf8(item));
        combo->SetItemIndex(-1);
        combo->setToolTip(QStringLiteral("Skin"));
        QPalette palette = combo->palette();
        palette.setColor(QPalette::Base, Qt::white);
        palette.setColor(QPalette::Button, Qt::white);
        palette.setColor(QPalette::Text, Qt::black);
        palette.setColor(QPalette::ButtonText, Qt::black);
        combo->setPalette(palette);
        return combo;
    }
    case ControlKind::Label: {
        auto* label = new QLabel(QString::fromUtf8(layout.Caption), parent);
        label->setAlignment(Qt::AlignCenter);
        return label;
    }
    case ControlKind::Gauge: {
        auto* gauge = new TsGauge(parent);
        gauge->BeginLoading();
        gauge->SetSkinSection(QStringLiteral("GAUGE"));
        gauge->SetForeColor(0);
        gauge->SetProgress(0);
        gauge->SetSuffix(QStringLiteral("%"));
        gauge->Loaded();
        return gauge;
    }
    case ControlKind::StatusBar: {
        auto* bar = new TStatusBar(parent);
        bar->setFont(QApplication::font("QStatusBar"));
        bar->SetPanels({{QString::fromUtf8(kStatusPanel1Text), kStatusPanel1Width},
                        {QString::fromUtf8(kStatusPanel2Text), kStatusPanel2Width}});
        return bar;
    }
    }
    return nullptr;
}

} // namespace

TMorvaneMainForm::TMorvaneMainForm(QWidget* parent)
    : QWidget(parent, Qt::Window | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                          Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint) {
    setObjectName(QStringLiteral("MorvaneMainForm"));
    setWindowTitle(QString::fromUtf8(kMainFormCaption));
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    ClientArea = new QWidget(this);
    ClientArea->setObjectName(QStringLiteral("ClientArea"));
    ClientArea->installEventFilter(this);
    new TKeyRepeatGuard(this);
    layout->addWidget(ClientArea);
    resize(kClientWidth, kClientHeight);
    ClientArea->resize(kClientWidth, kClientHeight);
    // The controls stand where the layout puts them and only the bottom strip follows the
    // window: smaller than the layout, the strip would cover the steps and the logs.
    ClientArea->setMinimumSize(kClientWidth, kClientHeight);
    CreateSkinManager();
    // Qt starts its accessibility bridge at the first accessible change (the first caption
    // below), and that takes about a millisecond. Started now, it does so while the warm-up
    // thread is still reading the font configuration.
    QAccessible::isActive();
    // The controls measure their texts from here on.
    WaitForStartupFonts();
    setFont(FormFont());
    BuildControls();
    CreatePlacement();
    CreateServiceComponents();
    OpenDialog.Filter = QString::fromUtf8(kOpenDialogFilter);
    ConnectHandlers();
    Guarded([this] { FormCreate(); });
}

TMorvaneMainForm::~TMorvaneMainForm() {
    FormPct->OwnerDestroying();
    // The manager takes its skin off every window and control as it goes: while this window
    // and its controls are still whole, not as a child deleted with them.
    delete sSkinManager;
    sSkinManager = nullptr;
}

void TMorvaneMainForm::setVisible(bool visible) {
    if (visible && !testAttribute(Qt::WA_WState_Created))
        ensurePolished();
    QWidget::setVisible(visible);
}

void TMorvaneMainForm::CreatePlacement() {
    // Opens centred on the screen unless a saved placement puts it elsewhere.
    SetFormPosition(this, TPosition::poScreenCenter);
    FormPct = new TFormPlacement(this);
    FormPct->setObjectName(QStringLiteral("FormPct"));
    FormPct->Active = false;
    FormPct->Options = {TPlacementOption::fpState, TPlacementOption::fpPosition,
                        TPlacementOption::fpActiveControl};
    FormPct->Loaded();
    FormPct->ErrorReporter = [this](const std::string& message) {
        ReportError(QString::fromStdString(message));
    };
    // Log-off asks the session whether it may end: the placement is saved, the close handler
    // does not run.
    connect(qApp, &QGuiApplication::commitDataRequest, this, [this] { FormPct->CloseQueryHook(); });
}

void TMorvaneMainForm::CreateSkinManager() {
    // Created with the window's components and read from its stored settings: the stored skin
    // is loaded at once, but nothing is told of it until reading has finished.
    RegisterSkinAttachments();
    sSkinManager = new TsSkinManager(this);
    sSkinManager->setObjectName(QStringLiteral("sSkinManager"));
    sSkinManager->ErrorReporter = [this](const QString& message) {
        skinLoadFailed_ = true;
        // A choice from the skin box is answered once the box shows the skin in use again.
        if (applyingSkinChoice_)
            skinLoadError_ = message;
        else
            ReportError(message, false);
    };
    sSkinManager->MessageReporter = [](const QString& message) { ShowNoticeBox(message, true); };
    sSkinManager->BeginLoading();
    sSkinManager->InternalSkins = BuiltInSkins();
    sSkinManager->MenuSupport.IcoLineSkin = QStringLiteral("ICOLINE");
    sSkinManager->MenuSupport.ExtraLineFontName = QStringLiteral("MS Sans Serif");
    sSkinManager->MenuSupport.ExtraLineFontHeight = -11;
    sSkinManager->SetSkinDirectory(QString::fromUtf8(kSkinDirectory));
    {
        // The stored choice of the skin box is loaded once the settings are read, and may be
        // another skin: an error of this first load is kept back, and that load reports its own.
        applyingSkinChoice_ = true;
        const auto loaded = qScopeGuard([this] { applyingSkinChoice_ = false; });
        sSkinManager->SetSkinName(QStringLiteral("NextAlpha (internal)"));
    }
    sSkinManager->SetSkinInfo(QStringLiteral("6.5"));
    sSkinManager->ThirdParty = ThirdPartyList::MainWindowLists();
    sSkinManager->Loaded();
}

void TMorvaneMainForm::CreateServiceComponents() {
    // The first construction loads the client library; when it cannot be loaded the error
    // leaves the constructor and the window is never created.
    const std::string localMachine = QSysInfo::machineHostName().toStdString();
    const auto storedSettings = [&](TIBCustomService& service) {
        service.BeginLoading();
        service.SetServerName(localMachine);
        service.LoginPrompt = false;
    };
    IBBackupService = std::make_unique<TIBBackupService>("IBBackupService");
    storedSettings(*IBBackupService);
    IBBackupService->Loaded();
    IBRestoreService = std::make_unique<TIBRestoreService>("IBRestoreService");
    storedSettings(*IBRestoreService);
    IBRestoreService->PageBuffers = 0;
    IBRestoreService->Loaded();
}

void TMorvaneMainForm::BuildControls() {
    std::map<int, QWidget*> tabOrder;
    for (const ControlLayout& layout : MainFormControls()) {
        QWidget* control = CreateControl(layout, ClientArea);
        control->setObjectName(QString::fromUtf8(layout.Name));
        control->setGeometry(layout.Position);
        control->setEnabled(layout.Enabled);
        control->setFocusPolicy(layout.TabOrder > 0 ? Qt::StrongFocus : Qt::NoFocus);
        if (layout.TabOrder > 0)
            tabOrder[layout.TabOrder] = control;
    }
    for (auto it = tabOrder.begin(); std::next(it) != tabOrder.end(); ++it)
        setTabOrder(it->second, std::next(it)->second);

    sButton1 = findChild<TsButton*>(QStringLiteral("sButton1"));
    sButton2 = findChild<TsButton*>(QStringLiteral("sButton2"));
    sButton3 = findChild<TsButton*>(QStringLiteral("sButton3"));
    sButton4 = findChild<TsButton*>(QStringLiteral("sButton4"));
    sButton5 = findChild<TsButton*>(QStringLiteral("sButton5"));
    sButton6 = findChild<TsButton*>(QStringLiteral("sButton6"));
    RichEdit1 = findChild<TRichEdit*>(QStringLiteral("RichEdit1"));
    RichEdit2 = findChild<TRichEdit*>(QStringLiteral("RichEdit2"));
    RichEdit3 = findChild<TRichEdit*>(QStringLiteral("RichEdit3"));
    RichEdit4 = findChild<TRichEdit*>(QStringLiteral("RichEdit4"));
    RichEdit5 = findChild<TRichEdit*>(QStringLiteral("RichEdit5"));
    sComboBox1 = findChild<TsComboBox*>(QStringLiteral("sComboBox1"));
    Label1 = findChild<QLabel*>(QStringLiteral("Label1"));
    MyGauge = findChild<TsGauge*>(QStringLiteral("MyGauge"));
    StatusBar1 = findChild<TStatusBar*>(QStringLiteral("StatusBar1"));
    for (TsButton* step : {sButton1, sButton2, sButton3, sButton4})
        steps_.Add(step);
    // What a screen reader says of the controls that carry no caption of their own. A combo
    // box is named by its current item there, so the skin box is described instead.
    const std::pair<QWidget*, const char*> names[] = {
        {RichEdit1, "원본파일 경로"}, {RichEdit2, "백업파일 경로"}, {RichEdit3, "백업 기록"},
        {RichEdit4, "최적화 기록"},   {RichEdit5, "상태"},          {MyGauge, "진행률"},
    };
    for (const auto& [control, name] : names)
        control->setAccessibleName(QString::fromUtf8(name));
    sComboBox1->setAccessibleDescription(QStringLiteral("스킨"));
}

void TMorvaneMainForm::ConnectHandlers() {
    const auto bind = [this](TsButton* button, void (TMorvaneMainForm::*handler)()) {
        connect(button, &QPushButton::clicked, this,
                [this, handler] { RunHandler([&] { (this->*handler)(); }); });
    };
    bind(sButton1, &TMorvaneMainForm::sButton1Click);
    bind(sButton6, &TMorvaneMainForm::sButton1Click);
    bind(sButton2, &TMorvaneMainForm::sButton2Click);
    bind(sButton3, &TMorvaneMainForm::sButton3Click);
    bind(sButton4, &TMorvaneMainForm::sButton4Click);
    connect(sButton5, &QPushButton::clicked, this, [this] { ExitClicked(); });
    connect(sComboBox1, &QComboBox::activated, this, [this] { RunHandler([this] { sComboBox1Change(); }); });
}

void TMorvaneMainForm::FormCreate() {
    FormPct->IniFileName = PlacementFilePath();
    FormPct->Active = true;
    for (TRichEdit* edit : {RichEdit1, RichEdit2, RichEdit3, RichEdit4, RichEdit5})
        edit->SetFirstLineIndent(kRichEditIndentPoints);
    SkinIniPath = SkinChoiceFilePath();
    SkinIni = std::make_unique<TIniFile>(SkinIniPath);
    sComboBox1->SetItemIndex(ReadSkinNumberForStart(*SkinIni));
    ApplySkinFromCombo();
}

void TMorvaneMainForm::ApplySkinFromCombo() {
    skinLoadFailed_ = false;
    skinLoadError_.clear();
    applyingSkinChoice_ = true;
    {
        const auto applied = qScopeGuard([this] { applyingSkinChoice_ = false; });
        sSkinManager->SetSkinName(sComboBox1->currentText() + BuiltInSuffix);
    }
    if (!skinLoadFailed_)
        return;
    // A skin that cannot be loaded leaves the one before it in use: the choice goes back to
    // that one, so the window shows what it wears and the broken skin is not stored as the
    // choice for the next start; then the box says why.
    const int failed = sComboBox1->currentIndex();
    QString inUse = sSkinManager->SkinName();
    if (inUse.endsWith(BuiltInSuffix))
        inUse.chop(BuiltInSuffix.size());
    const int item = sComboBox1->findText(inUse);
    if (item >= 0)
        sComboBox1->SetItemIndex(item);
    // Its item is closed for the rest of the session: the arrow keys pass over it instead of
    // trying it again, and failing, at every press.
    if (failed >= 0 && failed != item)
        if (auto* items = qobject_cast<QStandardItemModel*>(sComboBox1->model()))
            if (QStandardItem* entry = items->item(failed))
                entry->setEnabled(false);
    ReportError(skinLoadError_, false);
}

void TMorvaneMainForm::sComboBox1Change() {
    ApplySkinFromCombo();
}

void TMorvaneMainForm::FormActivate() {
    sButton1->setFocus(Qt::ActiveWindowFocusReason);
    StatusBar1->repaint();
}

void TMorvaneMainForm::FormClose() {
    if (!SkinIni)
        SkinIni = std::make_unique<TIniFile>(SkinChoiceFilePath());
    WriteSkinNumber(*SkinIni, sComboBox1->ItemIndex());
}

std::int64_t TMorvaneMainForm::ReadFileSize(const std::string& fileName) const {
    return ReadUnsharedFileSize(fileName);
}

void TMorvaneMainForm::AdvanceGauge(int progress) {
    QThread::msleep(100);
    MyGauge->SetProgress(progress);
}

bool TMorvaneMainForm::event(QEvent* event) {
    if (event->type() == QEvent::WindowActivate && !activated_) {
        activated_ = true;
        Guarded([this] { FormActivate(); });
    }
    return QWidget::event(event);
}

void TMorvaneMainForm::showEvent(QShowEvent* event) {
    // The placement's show hook has run by now; it switches the rule off when it placed us.
    if (!event->spontaneous()) {
        ApplyFormPosition(this);
        closed_ = false;
    }
    QWidget::showEvent(event);
}

void TMorvaneMainForm::closeEvent(QCloseEvent* event) {
    // Closing while the server works would abandon the job halfway: the close waits for it.
    if (Busy()) {
        event->ignore();
        DeferClose(TPendingClose::Close);
        return;
    }
    // A skin choice that cannot be saved is reported, and the window closes all the same: the
    // choice is all that is lost, and a window that cannot be closed would hold the user.
    GuardedHere([this] { FormClose(); });
    closed_ = true;
    event->accept();
}

bool TMorvaneMainForm::eventFilter(QObject* watched, QEvent* event) {
    if (watched == ClientArea && event->type() == QEvent::Resize)
        LayOutBottomStack();
    return QWidget::eventFilter(watched, event);
}

void TMorvaneMainForm::LayOutBottomStack() {
    // Stacked upward from the bottom edge: status bar, gauge, size label.
    const int width = ClientArea->width();
    int bottom = ClientArea->height();
    for (QWidget* control :
         {static_cast<QWidget*>(StatusBar1), static_cast<QWidget*>(MyGauge), static_cast<QWidget*>(Label1)}) {
        const int h = control->height();
        bottom -= h;
        control->setGeometry(0, bottom, width, h);
    }
}
