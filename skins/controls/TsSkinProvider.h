#pragma once
// Skins a top-level window: the window becomes frameless and the provider draws its frame, title
// bar, icon, caption and title buttons from FORM, FORMTITLE and the skin-wide values, and its
// client background from FORM (DIALOG for standard dialogs). The client area keeps its size
// whatever the skin's frame: the frame is added around it as the window's contents margins.
// Dragging the title moves the window, dragging the border resizes it. The window's colours
// come from the application's palette, which the skin style sets.

#include "SkinFrameGeometry.h"
#include "SkinState.h"
#include "TsCommonData.h"

#include <QObject>
#include <QPointer>
#include <QWidget>
#include <memory>
#include <optional>

class QMouseEvent;
class QWidget;
class TsSkinCommandEvent;

class TsSkinProvider : public QObject {
    Q_OBJECT
public:
    TsSkinProvider(QWidget* window, TsSkinManager* manager, const QString& clientSection);
    ~TsSkinProvider() override;

    TsCommonData SkinData; // FORM

    QWidget* Window() const { return window_; }
    // Whether the window currently wears the skin's frame.
    bool FrameApplied() const { return frameApplied_; }
    const FrameGeometry& Geometry() const { return geometry_; }
    // The title button under a point of the window, if any.
    std::optional<TitleButton> ButtonAt(const QPoint& position) const;
    // What a click on a title button does (also reachable from the keyboard's system menu).
    void Trigger(TitleButton button);

    // The provider of a window, or null.
    static TsSkinProvider* Of(const QWidget* window);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // Looks the indexes up in the current skin, then wears its frame (or gives it back).
    void Bind();
    void ApplyBinding();
    void ApplyFrame();
    void RestoreFrame();
    void ChangeWindowFlags(Qt::WindowFlags flags);
    void SetFrameMargins(const QMargins& margins);
    void UpdateGeometry();
    void Invalidate();
    void Paint(const QRegion& region);
    void ConfirmNativePosition();
    void CentreDialog();
    void PaintTitleButtons(QPainter& painter) const;
    bool HasButton(TitleButton button) const;
    bool Resizable() const;
    Qt::Edges EdgesAt(const QPoint& position) const;
    bool MousePress(QMouseEvent* event);
    bool MouseMove(QMouseEvent* event);
    bool MouseRelease(QMouseEvent* event);
    void StartDrag(const QPoint& travelled);
    QRect DraggedGeometry(const QRect& start, Qt::Edges edges, const QPoint& delta) const;
    void SetHot(std::optional<TitleButton> button);
    // At `at` on the screen; by default at the top left of the client area.
    void ShowSystemMenu(std::optional<QPoint> at = std::nullopt);
    QString TitleButtonTip(TitleButton button) const;

    QPointer<QWidget> window_; // null once the window is gone
    QString clientSectionName_;
    int titleSection_ = -1;
    int clientSection_ = -1;
    std::array<int, TitleButtonCount> buttonMasks_{-1, -1, -1, -1};
    std::array<int, TitleButtonCount> glowMasks_{-1, -1, -1, -1};
    int restoreMask_ = -1; // BICONNORM, the maximise button of a maximised window

    bool frameApplied_ = false;
    bool adoptNativeWindow_ = false; // the native window of a show under way is taken back after it
    Qt::WindowFlags savedFlags_;
    QMargins savedMargins_;
    bool savedOpaquePaint_ = false;
    QSize savedMinimum_;
    bool minimumRaised_ = false; // the window's smallest size was raised to the frame's
    QMargins frameMargins_;
    FrameGeometry geometry_;
    bool positionUnconfirmed_ = false; // shown, not painted since
    bool centred_ = false;             // a dialog placed by CentreDialog, in the middle of its show
    std::optional<QPoint> askedPlace_; // where the program last moved the window on the screen

    std::optional<TitleButton> hot_;
    // Installed on the application while a title button is hot: a control takes the pointer's
    // moves itself, so the pointer going straight from the button onto one never reaches the
    // window.
    std::unique_ptr<QObject> pointerWatch_;
    std::optional<TitleButton> pressed_;
    // A press on the title or the border, and the move or resize it may become: by the window
    // manager, or by hand where the window manager will not do it.
    static constexpr int DragThreshold = 3; // pixels the pointer travels before a drag begins
    static constexpr int LeapAllowance = 2; // pixels past the threshold the window may lag behind
    bool framePressed_ = false;
    Qt::Edges dragEdges_;
    bool dragging_ = false;
    bool managerDrag_ = false; // the window manager is moving or resizing the window
    bool managerDragAsked_ = false; // asked of the manager since the last press
    QPoint dragStart_;
    QRect dragGeometry_;
};
