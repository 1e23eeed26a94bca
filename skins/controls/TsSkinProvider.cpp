#include "TsSkinProvider.h"

#include "AttachedObject.h"
#include "DisplayPlace.h"
#include "KeyboardWindowDrag.h"
#include "SkinCommand.h"
#include "SkinPaint.h"
#include "TsSkinManager.h"
#include "WindowManagerDrag.h"

#include <QApplication>
#include <QContextMenuEvent>
#include <QDialog>
#include <QGuiApplication>
#include <QScreen>
#include <QMenu>
#include <QMessageBox>
#include <QMouseEvent>
#include <QPainter>
#include <QShortcut>
#include <QToolTip>
#include <QWhatsThis>
#include <QWidget>
#include <QWindow>
#include <functional>
#include <utility>

namespace {

const char* const ProviderProperty = "morvaneSkinProvider";
constexpr QSize FallbackButton(16, 16);
constexpr int ResizeGrip = 6; // at least this many pixels of border take a resize drag
// The smallest a skinned window may be made, by hand or by the window manager: room for the
// title's buttons and a piece of its caption.
constexpr QSize FrameMinimum(120, 60);

QFont CaptionFont(const QWidget* window) {
    QFont font = window->font();
    font.setPixelSize(std::max(12, font.pixelSize()));
    font.setBold(true);
    return font;
}

// A title button the skin has no picture for: a plain vector glyph, so no window ever loses
// its close button.
void DrawFallbackButton(QPainter& painter, TitleButton button, const QRect& rect, const QColor& color,
                        TsState state) {
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    if (state != TsState::Normal)
        painter.fillRect(rect,
                         QColor(color.red(), color.green(), color.blue(), state == TsState::Hot ? 40 : 80));
    painter.setPen(QPen(color, 1.5));
    const QRectF r = QRectF(rect).adjusted(4.5, 4.5, -4.5, -4.5);
    switch (button) {
    case TitleButton::Close:
        painter.drawLine(r.topLeft(), r.bottomRight());
        painter.drawLine(r.topRight(), r.bottomLeft());
        break;
    case TitleButton::Minimize:
        painter.drawLine(QPointF(r.left(), r.bottom()), r.bottomRight());
        break;
    case TitleButton::Maximize:
        painter.drawRect(r);
        break;
    case TitleButton::Help:
        painter.drawText(rect, Qt::AlignCenter, QStringLiteral("?"));
        break;
    }
    painter.restore();
}

// Where the display has the window's top left, in the toolkit's coordinates; empty where the
// display cannot be asked (it is not X11).
std::optional<QPoint> PlaceOnDisplay(const QWidget& window) {
#if QT_CONFIG(xcb)
    const auto* x11 = qApp->nativeInterface<QNativeInterface::QX11Application>();
    const QWindow* native = window.windowHandle();
    if (x11 == nullptr || native == nullptr || window.internalWinId() == 0)
        return std::nullopt;
    const std::optional<TDisplayPoint> place =
        WindowPlaceOnDisplay(x11->connection(), static_cast<std::uint32_t>(window.internalWinId()));
    if (!place)
        return std::nullopt;
    // The display counts device pixels; the toolkit counts scaled ones from each screen's corner.
    const QPoint origin = native->screen() ? native->screen()->geometry().topLeft() : QPoint();
    const qreal ratio = native->devicePixelRatio();
    return origin + (QPointF(place->X - origin.x(), place->Y - origin.y()) / ratio).toPoint();
#else
    Q_UNUSED(window);
    return std::nullopt;
#endif
}

// Tells the window manager to drop a move or resize it was asked for; false where it cannot be
// told (not X11).
bool CancelManagerDrag(const QWidget& window) {
#if QT_CONFIG(xcb)
    const auto* x11 = qApp->nativeInterface<QNativeInterface::QX11Application>();
    if (x11 == nullptr || window.internalWinId() == 0)
        return false;
    return CancelWindowManagerDrag(x11->connection(), static_cast<std::uint32_t>(window.internalWinId()));
#else
    Q_UNUSED(window);
    return false;
#endif
}

// Calls `left` when the pointer is seen over another widget of the window than the window itself.
class PointerOnControlWatch : public QObject {
public:
    PointerOnControlWatch(QWidget* window, std::function<void()> left) : window_(window), left_(std::move(left)) {}

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if ((event->type() == QEvent::Enter || event->type() == QEvent::MouseMove) && watched != window_ &&
            watched->isWidgetType() && static_cast<QWidget*>(watched)->window() == window_)
            left_();
        return false;
    }

private:
    QWidget* window_;
    std::function<void()> left_;
};

} // namespace

TsSkinProvider::TsSkinProvider(QWidget* window, TsSkinManager* manager, const QString& clientSection)
    : SkinData(window, QStringLiteral("FORM")), window_(window), clientSectionName_(clientSection) {
    DeleteWith(window, this, window_);
    SkinData.SetSkinManager(manager);
    window_->setProperty(ProviderProperty, QVariant::fromValue(static_cast<QObject*>(this)));
    window_->installEventFilter(this);
    auto* close = new QShortcut(QKeySequence(Qt::ALT | Qt::Key_F4), window_);
    connect(close, &QShortcut::activated, this, [this] { Trigger(TitleButton::Close); });
    auto* menu = new QShortcut(QKeySequence(Qt::ALT | Qt::Key_Space), window_);
    connect(menu, &QShortcut::activated, this, [this] { ShowSystemMenu(); });
    close->setObjectName(QStringLiteral("SkinProviderShortcut"));
    menu->setObjectName(QStringLiteral("SkinProviderShortcut"));
    Bind();
}

TsSkinProvider::~TsSkinProvider() {
    if (window_ == nullptr)
        return;
    // A drag from the keyboard asks this provider where the window goes.
    if (KeyboardWindowDrag* drag = KeyboardWindowDrag::Of(window_))
        drag->End(true);
    window_->removeEventFilter(this);
    window_->setProperty(ProviderProperty, QVariant());
    for (QShortcut* shortcut : window_->findChildren<QShortcut*>(QStringLiteral("SkinProviderShortcut")))
        delete shortcut;
    RestoreFrame();
}

TsSkinProvider* TsSkinProvider::Of(const QWidget* window) {
    return window ? qobject_cast<TsSkinProvider*>(window->property(ProviderProperty).value<QObject*>())
                  : nullptr;
}

void TsSkinProvider::Bind() {
    SkinData.UpdateIndexes();
    ApplyBinding();
}

void TsSkinProvider::ApplyBinding() {
    const SkinTables* skin = SkinData.Skin();
    if (!SkinData.Skinned()) {
        RestoreFrame();
        return;
    }
    titleSection_ = skin->FindSection("FORMTITLE");
    clientSection_ = skin->FindSection(clientSectionName_.toStdString());
    if (clientSection_ < 0)
        clientSection_ = SkinData.SkinIndex;
    const int global = skin->FindSection("GLOBALINFO");
    const auto mask = [&](const char* name) {
        return skin->FindMask(global, "GLOBALINFO", name);
    };
    buttonMasks_ = {mask("BICONCLOSE"), mask("BICONMAX"), mask("BICONMIN"), mask("BICONHELP")};
    glowMasks_ = {mask("BICONCLOSEGLOW0"), mask("BICONMAXGLOW0"), mask("BICONMINGLOW0"), -1};
    restoreMask_ = mask("BICONNORM");
    ApplyFrame();
    Invalidate();
}

void TsSkinProvider::ApplyFrame() {
    if (!frameApplied_) {
        savedFlags_ = window_->windowFlags();
        savedMargins_ = window_->contentsMargins();
        ChangeWindowFlags(savedFlags_ | Qt::FramelessWindowHint);
        window_->setMouseTracking(true);
        // The frame and client background cover every pixel: Qt need not clear the window first.
        savedOpaquePaint_ = window_->testAttribute(Qt::WA_OpaquePaintEvent);
        window_->setAttribute(Qt::WA_OpaquePaintEvent);
        // Without the system's frame the window manager knows no smallest size of its own: told
        // none, it lets the window shrink until the title bar and its buttons are gone.
        // A window whose layout already asks for more (a dialog) is left to its layout.
        savedMinimum_ = window_->minimumSize();
        const QSize minimum = savedMinimum_.expandedTo(window_->minimumSizeHint());
        minimumRaised_ = Resizable() && minimum != minimum.expandedTo(FrameMinimum);
        if (minimumRaised_)
            window_->setMinimumSize(minimum.expandedTo(FrameMinimum));
        // Children must not take the resize cursors the frame shows.
        for (QObject* child : window_->children())
            if (child->isWidgetType() && !static_cast<QWidget*>(child)->testAttribute(Qt::WA_SetCursor))
                static_cast<QWidget*>(child)->setCursor(Qt::ArrowCursor);
        frameApplied_ = true;
    }
    SetFrameMargins(FrameMarginsOf(SkinData.Skin()->SkinData, window_->isMaximized()));
    UpdateGeometry();
}

void TsSkinProvider::RestoreFrame() {
    if (!frameApplied_)
        return;
    SetFrameMargins(QMargins());
    frameApplied_ = false;
    ChangeWindowFlags(savedFlags_);
    window_->unsetCursor();
    window_->setAttribute(Qt::WA_OpaquePaintEvent, savedOpaquePaint_);
    if (std::exchange(minimumRaised_, false))
        window_->setMinimumSize(savedMinimum_);
    SetHot(std::nullopt);
    pressed_.reset();
    window_->update();
}

void TsSkinProvider::ChangeWindowFlags(Qt::WindowFlags flags) {
    // A window on the screen keeps its native window and is told the new flags in place:
    // taking it down and showing it again would end a dialog's modal loop (a skin removed or
    // put on while a dialog runs would close it) and make the window flicker.
    const bool visible = window_->isVisible();
    if (visible && window_->windowHandle() != nullptr) {
        window_->overrideWindowFlags(flags);
        window_->windowHandle()->setFlags(flags);
        return;
    }
    // Otherwise new flags take the native window down. A window whose native window already
    // exists but that is not shown yet is in the middle of its first show (it is polished
    // after its native window is made): its show goes on and puts a native window on the
    // screen, but the widget no longer counts it as its own, so it could never be hidden again.
    // It is taken back once the show is over, after the window has been placed (taking it
    // earlier would lose its place under a window manager).
    const bool showing = !visible && window_->testAttribute(Qt::WA_WState_Created);
    window_->setWindowFlags(flags);
    if (visible)
        window_->show();
    adoptNativeWindow_ = showing;
}

void TsSkinProvider::SetFrameMargins(const QMargins& margins) {
    if (margins == frameMargins_)
        return;
    const QSize client = window_->size().shrunkBy(frameMargins_);
    window_->setContentsMargins(savedMargins_ + margins);
    frameMargins_ = margins;
    if (window_->isMaximized() || window_->isFullScreen())
        return;
    const QSize size = client.grownBy(margins);
    if (window_->minimumSize() == window_->maximumSize() && window_->minimumSize() != QSize(0, 0))
        window_->setFixedSize(size);
    else
        window_->resize(size);
}

void TsSkinProvider::UpdateGeometry() {
    const SkinTables* skin = SkinData.Skin();
    if (skin == nullptr)
        return;
    FrameRequest request;
    request.WindowSize = window_->size();
    request.Maximized = window_->isMaximized();
    const auto sizeOf = [&](TitleButton button, int maskIndex) {
        if (!HasButton(button))
            return QSize();
        const TsMaskData* mask = skin->Mask(maskIndex);
        return mask && !mask->Picture.isNull() ? QSize(mask->ColumnWidth(), mask->Picture.height())
                                               : FallbackButton;
    };
    for (std::size_t i = 0; i < TitleButtonCount; ++i)
        request.ButtonSizes[i] = sizeOf(static_cast<TitleButton>(i), buttonMasks_[i]);
    geometry_ = LayOutFrame(skin->SkinData, request);
}

void TsSkinProvider::Invalidate() {
    window_->update();
}

bool TsSkinProvider::HasButton(TitleButton button) const {
    const Qt::WindowFlags flags = frameApplied_ ? savedFlags_ : window_->windowFlags();
    switch (button) {
    case TitleButton::Close:
        return flags.testFlag(Qt::WindowCloseButtonHint) || flags.testFlag(Qt::WindowSystemMenuHint);
    case TitleButton::Maximize:
        return flags.testFlag(Qt::WindowMaximizeButtonHint) && Resizable();
    case TitleButton::Minimize:
        return flags.testFlag(Qt::WindowMinimizeButtonHint);
    case TitleButton::Help:
        return flags.testFlag(Qt::WindowContextHelpButtonHint);
    }
    return false;
}

bool TsSkinProvider::Resizable() const {
    return window_->minimumSize() != window_->maximumSize() && qobject_cast<QMessageBox*>(window_) == nullptr;
}

std::optional<TitleButton> TsSkinProvider::ButtonAt(const QPoint& position) const {
    if (!frameApplied_)
        return std::nullopt;
    for (std::size_t i = 0; i < TitleButtonCount; ++i)
        if (geometry_.Buttons[i].contains(position))
            return static_cast<TitleButton>(i);
    return std::nullopt;
}

void TsSkinProvider::Trigger(TitleButton button) {
    switch (button) {
    case TitleButton::Close:
        window_->close();
        break;
    case TitleButton::Minimize:
        window_->showMinimized();
        break;
    case TitleButton::Maximize:
        if (window_->isMaximized())
            window_->showNormal();
        else
            window_->showMaximized();
        break;
    case TitleButton::Help:
        QWhatsThis::enterWhatsThisMode();
        break;
    }
}

void TsSkinProvider::ShowSystemMenu(std::optional<QPoint> at) {
    if (!frameApplied_)
        return;
    QMenu menu(window_);
    if (window_->isMaximized())
        menu.addAction(QStringLiteral("이전 크기로(&R)"), window_, &QWidget::showNormal);
    // Moved and sized from the keyboard, as the pointer does it on the title and the border.
    QAction* move = nullptr;
    QAction* size = nullptr;
    if (!window_->isMaximized()) {
        move = menu.addAction(QStringLiteral("이동(&M)"));
        if (Resizable())
            size = menu.addAction(QStringLiteral("크기 조정(&S)"));
    }
    if (HasButton(TitleButton::Minimize))
        menu.addAction(QStringLiteral("최소화(&N)"), window_, &QWidget::showMinimized);
    if (HasButton(TitleButton::Maximize) && !window_->isMaximized())
        menu.addAction(QStringLiteral("최대화(&X)"), window_, &QWidget::showMaximized);
    if (!menu.isEmpty())
        menu.addSeparator();
    QAction* close = menu.addAction(QStringLiteral("닫기(&C)"), window_, &QWidget::close);
    close->setShortcut(QKeySequence(Qt::ALT | Qt::Key_F4));
    const QPoint clientTopLeft = window_->mapToGlobal(QPoint(geometry_.Frame.left(), geometry_.Frame.top()));
    // Opened from the keyboard, the menu shows its first item lit, as the arrow keys go on from.
    if (!at)
        menu.setActiveAction(menu.actions().constFirst());
    const QAction* chosen = menu.exec(at.value_or(clientTopLeft));
    if (chosen == nullptr || (chosen != move && chosen != size) || window_ == nullptr)
        return;
    const auto kind = chosen == move ? KeyboardWindowDrag::Kind::Move : KeyboardWindowDrag::Kind::Size;
    KeyboardWindowDrag::Start(window_, kind, [this](const QRect& start, Qt::Edges edges, const QPoint& delta) {
        return DraggedGeometry(start, edges, delta);
    });
}

Qt::Edges TsSkinProvider::EdgesAt(const QPoint& p) const {
    if (!frameApplied_ || !Resizable() || window_->isMaximized())
        return {};
    const QRect r = window_->rect();
    const int grip = std::max(ResizeGrip, geometry_.Frame.left());
    Qt::Edges edges;
    if (p.x() < grip)
        edges |= Qt::LeftEdge;
    if (p.x() >= r.width() - grip)
        edges |= Qt::RightEdge;
    if (p.y() < std::max(ResizeGrip / 2, std::min(grip, geometry_.Frame.left())))
        edges |= Qt::TopEdge;
    if (p.y() >= r.height() - grip)
        edges |= Qt::BottomEdge;
    // A control shows its own cursor, never a resize one: a press that reaches the window from
    // a control near the border (it passes on presses it does not take) does not resize.
    if (edges && window_->childAt(p) != nullptr)
        return {};
    return edges;
}

void TsSkinProvider::SetHot(std::optional<TitleButton> button) {
    if (button == hot_)
        return;
    if (!pointerWatch_)
        pointerWatch_ = std::make_unique<PointerOnControlWatch>(window_, [this] { SetHot(std::nullopt); });
    if (button && !hot_)
        qApp->installEventFilter(pointerWatch_.get());
    else if (!button)
        qApp->removeEventFilter(pointerWatch_.get());
    hot_ = button;
    window_->update(geometry_.TitleStrip);
}

bool TsSkinProvider::MousePress(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton)
        return false;
    const QPoint p = event->position().toPoint();
    if (const std::optional<TitleButton> button = ButtonAt(p)) {
        pressed_ = button;
        window_->update(geometry_.TitleStrip);
        return true;
    }
    const Qt::Edges edges = EdgesAt(p);
    if (!edges && geometry_.Icon.contains(p)) {
        // The icon opens the window menu, just below the title.
        const QPoint below(geometry_.Icon.left(), geometry_.TitleStrip.bottom() + 1);
        ShowSystemMenu(window_->mapToGlobal(below));
        return true;
    }
    const bool onTitle = geometry_.TitleStrip.contains(p);
    if (!edges && !onTitle)
        return false;
    // A press is not yet a drag: the move or resize starts once the pointer has travelled a few
    // pixels with the button held. Started at the press, a click whose release reaches
    // the window manager before its move begins (a tap on a touchpad) would leave the window
    // following the pointer until the next click.
    framePressed_ = true;
    dragEdges_ = edges;
    dragStart_ = event->globalPosition().toPoint();
    dragGeometry_ = window_->geometry();
    return true;
}

// The window manager takes the drag over from where the pointer is now; the few pixels of the
// threshold are not made up, as a move asked for now could reach the manager after the drag
// has begun and be undone by it. A drag that starts with a leap (a quick flick: its first
// report can be tens of pixels on) would leave the window that far behind the pointer, so it is
// carried out by hand, the grabbed point under the pointer, wherever windows may place
// themselves (not under Wayland).
void TsSkinProvider::StartDrag(const QPoint& travelled) {
    framePressed_ = false;
    const bool leap = std::max(std::abs(travelled.x()), std::abs(travelled.y())) > DragThreshold + LeapAllowance;
    if (leap && !QGuiApplication::platformName().startsWith(QLatin1String("wayland"))) {
        dragging_ = true;
        return;
    }
    QWindow* handle = window_->windowHandle();
    const bool system =
        handle && (dragEdges_ ? handle->startSystemResize(dragEdges_) : handle->startSystemMove());
    // From here the window manager places the window, and tells Qt where. It holds the keyboard
    // while it does, so Qt takes the window for inactive; it is still the one the user works in.
    if (system) {
        askedPlace_.reset();
        managerDrag_ = true;
        managerDragAsked_ = true;
    } else {
        dragging_ = true;
    }
}

QRect TsSkinProvider::DraggedGeometry(const QRect& start, Qt::Edges edges, const QPoint& delta) const {
    if (!edges)
        return QRect(start.topLeft() + delta, start.size());
    QRect g = start;
    const QSize minimum =
        window_->minimumSizeHint().expandedTo(window_->minimumSize()).expandedTo(FrameMinimum);
    // right() and bottom() are the last pixel's, inside the rectangle: the smallest window
    // reaches from left to left + width - 1.
    if (edges & Qt::LeftEdge)
        g.setLeft(std::min(g.left() + delta.x(), g.right() - minimum.width() + 1));
    if (edges & Qt::RightEdge)
        g.setRight(std::max(g.right() + delta.x(), g.left() + minimum.width() - 1));
    if (edges & Qt::TopEdge)
        g.setTop(std::min(g.top() + delta.y(), g.bottom() - minimum.height() + 1));
    if (edges & Qt::BottomEdge)
        g.setBottom(std::max(g.bottom() + delta.y(), g.top() + minimum.height() - 1));
    return g;
}

bool TsSkinProvider::MouseMove(QMouseEvent* event) {
    const QPoint p = event->position().toPoint();
    if (framePressed_) {
        if (!(event->buttons() & Qt::LeftButton))
            framePressed_ = false;
        else if (const QPoint travelled = event->globalPosition().toPoint() - dragStart_;
                 std::max(std::abs(travelled.x()), std::abs(travelled.y())) >= DragThreshold)
            StartDrag(travelled);
        if (!dragging_)
            return true;
    }
    if (dragging_) {
        const QPoint delta = event->globalPosition().toPoint() - dragStart_;
        window_->setGeometry(DraggedGeometry(dragGeometry_, dragEdges_, delta));
        return true;
    }
    if (pressed_) {
        // Held on a title button: it is drawn pressed while the pointer is on it and pops back
        // up when the pointer leaves it, as a push button does.
        SetHot(ButtonAt(p) == pressed_ ? pressed_ : std::nullopt);
        return true;
    }
    // A drag that began elsewhere (on a control, say) lights no title button up on its way.
    SetHot(event->buttons() == Qt::NoButton ? ButtonAt(p) : std::nullopt);
    const Qt::Edges edges = EdgesAt(p);
    if ((edges & Qt::LeftEdge && edges & Qt::TopEdge) || (edges & Qt::RightEdge && edges & Qt::BottomEdge))
        window_->setCursor(Qt::SizeFDiagCursor);
    else if ((edges & Qt::RightEdge && edges & Qt::TopEdge) ||
             (edges & Qt::LeftEdge && edges & Qt::BottomEdge))
        window_->setCursor(Qt::SizeBDiagCursor);
    else if (edges & (Qt::LeftEdge | Qt::RightEdge))
        window_->setCursor(Qt::SizeHorCursor);
    else if (edges & (Qt::TopEdge | Qt::BottomEdge))
        window_->setCursor(Qt::SizeVerCursor);
    else
        window_->unsetCursor();
    return false;
}

bool TsSkinProvider::MouseRelease(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton)
        return false;
    if (std::exchange(managerDragAsked_, false)) {
        // The window manager takes the pointer for its move or resize, so this release reached
        // the window only because it came before the manager took over: left alone, the manager
        // would wait for it, and the window would follow the pointer until the next click.
        CancelManagerDrag(*window_);
        if (std::exchange(managerDrag_, false))
            Invalidate();
        return true;
    }
    const bool onFrame = framePressed_ || dragging_;
    framePressed_ = false;
    dragging_ = false;
    if (onFrame)
        return true;
    if (!pressed_) {
        // The end of a drag from elsewhere: the button under the pointer is hot from now on.
        SetHot(ButtonAt(event->position().toPoint()));
        return false;
    }
    const TitleButton button = *pressed_;
    const std::optional<TitleButton> under = ButtonAt(event->position().toPoint());
    pressed_.reset();
    SetHot(under);
    window_->update(geometry_.TitleStrip);
    if (under == button)
        Trigger(button);
    return true;
}

bool TsSkinProvider::eventFilter(QObject* watched, QEvent* event) {
    if (watched != window_)
        return false;
    if (event->type() == QEvent::ShowToParent && adoptNativeWindow_) {
        adoptNativeWindow_ = false;
        window_->winId();
    }
    if (TsSkinCommandEvent* command = AsSkinCommand(event)) {
        AnswerSkinCommand(
            *command, SkinData,
            {[this] { ApplyBinding(); }, [this] { RestoreFrame(); }, [this] { Invalidate(); }, nullptr});
        return true;
    }
    if (!frameApplied_)
        return false;
    switch (event->type()) {
    case QEvent::Show:
        positionUnconfirmed_ = true;
        if (!event->spontaneous())
            CentreDialog();
        return false;
    case QEvent::ShowToParent:
        // As after Qt's own centring: the next show centres the dialog again.
        if (std::exchange(centred_, false))
            window_->setAttribute(Qt::WA_Moved, false);
        return false;
    case QEvent::Paint:
        if (positionUnconfirmed_) {
            positionUnconfirmed_ = false;
            // Right after this paint, not inside it: the native move can take the window to
            // another screen, and the screen change repaints the window at once.
            QMetaObject::invokeMethod(this, [this] { ConfirmNativePosition(); }, Qt::QueuedConnection);
        }
        Paint(static_cast<QPaintEvent*>(event)->region());
        return true;
    case QEvent::Move:
        // A move the program makes (a dialog centring itself, the placement, a drag by hand) is
        // a request to the display; a move the display reports is where it has the window.
        if (event->spontaneous())
            ConfirmNativePosition();
        else
            askedPlace_ = window_->geometry().topLeft();
        return false;
    case QEvent::Resize:
        UpdateGeometry();
        return false;
    case QEvent::WindowStateChange:
        SetFrameMargins(FrameMarginsOf(SkinData.Skin()->SkinData, window_->isMaximized()));
        UpdateGeometry();
        Invalidate();
        return false;
    case QEvent::ActivationChange:
        // Focus coming back, or the pointer reaching the window again, ends the manager's drag.
        if (window_->isActiveWindow())
            managerDrag_ = false;
        Invalidate();
        return false;
    case QEvent::Enter:
        if (std::exchange(managerDrag_, false))
            Invalidate();
        return false;
    case QEvent::WindowTitleChange:
    case QEvent::WindowIconChange:
        Invalidate();
        return false;
    case QEvent::MouseButtonPress:
        managerDragAsked_ = false;
        if (std::exchange(managerDrag_, false))
            Invalidate();
        return MousePress(static_cast<QMouseEvent*>(event));
    case QEvent::MouseMove:
        if (std::exchange(managerDrag_, false))
            Invalidate();
        return MouseMove(static_cast<QMouseEvent*>(event));
    case QEvent::MouseButtonRelease:
        return MouseRelease(static_cast<QMouseEvent*>(event));
    case QEvent::ContextMenu: {
        // A right click on the title opens the window menu where it was made.
        const auto* context = static_cast<QContextMenuEvent*>(event);
        if (context->reason() != QContextMenuEvent::Mouse || !geometry_.TitleStrip.contains(context->pos()) ||
            ButtonAt(context->pos()))
            return false;
        ShowSystemMenu(context->globalPos());
        return true;
    }
    case QEvent::MouseButtonDblClick: {
        const QPoint p = static_cast<QMouseEvent*>(event)->position().toPoint();
        if (!geometry_.TitleStrip.contains(p) || ButtonAt(p))
            return false;
        framePressed_ = false;
        if (HasButton(TitleButton::Maximize)) {
            Trigger(TitleButton::Maximize);
            return true;
        }
        // A window without a maximise button can still be maximised by the window manager;
        // the title gives it its size back.
        if (window_->isMaximized()) {
            window_->showNormal();
            return true;
        }
        return false;
    }
    case QEvent::Leave:
        SetHot(std::nullopt);
        window_->unsetCursor();
        return false;
    case QEvent::ToolTip: {
        // A title button says what it does, as the window manager's own buttons do.
        const auto* help = static_cast<QHelpEvent*>(event);
        const std::optional<TitleButton> button = ButtonAt(help->pos());
        if (!button)
            return false;
        QToolTip::showText(help->globalPos(), TitleButtonTip(*button), window_,
                           geometry_.Buttons[static_cast<int>(*button)]);
        return true;
    }
    default:
        return false;
    }
}

QString TsSkinProvider::TitleButtonTip(TitleButton button) const {
    switch (button) {
    case TitleButton::Close:
        return QStringLiteral("닫기");
    case TitleButton::Maximize:
        return window_->isMaximized() ? QStringLiteral("이전 크기로") : QStringLiteral("최대화");
    case TitleButton::Minimize:
        return QStringLiteral("최소화");
    case TitleButton::Help:
        return QStringLiteral("도움말");
    }
    return {};
}

// A dialog shown without a place of its own is centred over its parent's window (or on its
// screen) before it is shown, as Qt would; but Qt shifts it up and left by the frame it expects
// the window manager to add, 40 by 10 pixels when the windows it sees have none, and a skinned
// window has none. The dialog is placed here, where it belongs, and Qt then leaves it there.
void TsSkinProvider::CentreDialog() {
    auto* dialog = qobject_cast<QDialog*>(window_.data());
    if (dialog == nullptr || dialog->testAttribute(Qt::WA_Moved) ||
        (dialog->windowState() & (Qt::WindowMinimized | Qt::WindowMaximized | Qt::WindowFullScreen)))
        return;
    const QWidget* parent = dialog->parentWidget() != nullptr ? dialog->parentWidget()->window() : nullptr;
    // Over the window unless it is minimised: with no window manager to carry it out, a window
    // asked to minimise stays on the screen, and so its dialogs open over it.
    const bool overParent =
        parent != nullptr && parent->isVisible() &&
        (!parent->isMinimized() || (parent->windowHandle() != nullptr && parent->windowHandle()->isExposed()));
    QScreen* screen = overParent ? parent->screen() : dialog->screen();
    if (screen == nullptr)
        return;
    const QRect available = screen->availableGeometry();
    const QPoint centre = overParent ? parent->frameGeometry().center() : available.center();
    QRect placed(QPoint(0, 0), dialog->frameGeometry().size());
    placed.moveCenter(centre);
    // Wholly on the screen where it fits; its title on the screen where it does not.
    placed.moveLeft(std::max(available.left(), std::min(placed.left(), available.right() + 1 - placed.width())));
    placed.moveTop(std::max(available.top(), std::min(placed.top(), available.bottom() + 1 - placed.height())));
    dialog->move(placed.topLeft());
    centred_ = true;
}

// A window without the system's frame that is placed after its native window is made but
// before it is mapped (a dialog centres itself as it is shown) can be left with a wrong idea of
// its place under a window manager that frames windows: Qt reads the place from the display
// while the manager is still framing the window, and nobody tells it again. The window then
// takes itself to sit at the screen's corner, and the lists of its combo boxes, the dialogs
// centred over it and a drag of its title all start from there. So once it is on the screen,
// and whenever the display reports a move, a window whose records disagree with the place the
// program last asked for asks the display where it is; when the display has it at that very
// place, the records are set to it. Nothing else is ever sent: a place the display does not
// have yet (the manager has not carried the request out) or has put the window elsewhere (the
// manager's own choice, which it reports itself) is left alone, so no move is ever undone.
void TsSkinProvider::ConfirmNativePosition() {
    QWindow* native = window_->windowHandle();
    if (!askedPlace_ || native == nullptr || !window_->isVisible() || dragging_ ||
        (window_->windowState() & (Qt::WindowMinimized | Qt::WindowMaximized | Qt::WindowFullScreen)))
        return;
    const QPoint asked = *askedPlace_;
    if (window_->geometry().topLeft() == asked && native->position() == asked)
        return;
    const std::optional<QPoint> shown = PlaceOnDisplay(*window_);
    if (!shown || *shown != asked)
        return;
    if (window_->geometry().topLeft() != asked)
        window_->setGeometry(QRect(asked, window_->size()));
    if (native->position() != asked)
        native->setPosition(asked);
}

// Drawn straight onto the window, clipped to the region being painted: a copy of the whole
// frame kept between paints would cost a window-sized buffer to fill and copy at every show,
// and the frame is cheap to draw again. A region that misses the title bar (a control
// repainting over the client background) leaves the title's parts out.
void TsSkinProvider::Paint(const QRegion& region) {
    const SkinTables* skin = SkinData.Skin();
    QPainter painter(window_);
    const QRect all = window_->rect();
    painter.fillRect(all, window_->palette().color(QPalette::Window));
    if (skin == nullptr)
        return;
    QRect titleBounds = geometry_.TitleStrip;
    for (const QRect& button : geometry_.Buttons)
        titleBounds |= button;
    const bool title = region.intersects(titleBounds);
    const TsState state = window_->isActiveWindow() || managerDrag_ ? TsState::Normal : TsState::Disabled;
    DrawSectionBackground(painter, *skin, SectionPaint{clientSection_, all, TsState::Normal, false});
    if (title)
        DrawSectionBackground(painter, *skin, SectionPaint{titleSection_, geometry_.TitleStrip, state, true});
    if (const TsMaskData* border = skin->Mask(SkinData.BorderIndex))
        DrawMask(painter, *border, all, state);
    if (!title)
        return;
    if (!geometry_.Icon.isEmpty())
        window_->windowIcon().paint(&painter, geometry_.Icon);
    if (const TsGeneralData* titleData = skin->Section(titleSection_)) {
        painter.setFont(CaptionFont(window_));
        const QString caption = painter.fontMetrics().elidedText(window_->windowTitle(), Qt::ElideRight,
                                                                 geometry_.Caption.width());
        DrawCaption(painter, *titleData,
                    CaptionPaint{caption, geometry_.Caption, Qt::AlignLeft | Qt::AlignVCenter, state});
    }
    PaintTitleButtons(painter);
}

void TsSkinProvider::PaintTitleButtons(QPainter& painter) const {
    const SkinTables* skin = SkinData.Skin();
    const TsGeneralData* title = skin->Section(titleSection_);
    for (std::size_t i = 0; i < TitleButtonCount; ++i) {
        const QRect rect = geometry_.Buttons[i];
        if (rect.isEmpty())
            continue;
        const auto button = static_cast<TitleButton>(i);
        const TsState state = pressed_ == button && hot_ == button   ? TsState::Pressed
                              : pressed_ == button || hot_ == button ? TsState::Hot
                                                                     : TsState::Normal;
        if (state != TsState::Normal)
            if (const TsMaskData* glow = skin->Mask(glowMasks_[i]))
                DrawGlyph(painter, *glow, rect, TsState::Normal);
        const int maskIndex = button == TitleButton::Maximize && window_->isMaximized() && restoreMask_ >= 0
                                  ? restoreMask_
                                  : buttonMasks_[i];
        if (const TsMaskData* mask = skin->Mask(maskIndex); mask && !mask->Picture.isNull())
            DrawGlyph(painter, *mask, rect, state);
        else
            DrawFallbackButton(painter, button, rect,
                               title ? SectionTextColor(*title, TsState::Normal) : QColor(Qt::black), state);
    }
}
