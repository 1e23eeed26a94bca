#pragma once
// A window's positioning rule on show: where it opens unless something placed it. Qt leaves a
// new top-level window where its geometry says (or where a window manager puts it), so the
// rule is applied by the window itself, from its show event.

class QWidget;

enum class TPosition { poDesigned, poScreenCenter, poDesktopCenter };

// poDesigned until set.
TPosition FormPosition(const QWidget* window);
void SetFormPosition(QWidget* window, TPosition position);

// Centres the window's outer bounds on the primary screen (poScreenCenter) or on the whole
// desktop (poDesktopCenter); does nothing for poDesigned. Call from the window's showEvent for a
// show that is not spontaneous: the placement component's show hook has run by then and has
// switched the rule to poDesigned if it placed the window.
void ApplyFormPosition(QWidget* window);
