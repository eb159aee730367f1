#pragma once
// Where a new raw window opens: over the main window, each one a step right
// of and below the one opened before, so that every title bar stays in sight.

#include <QPoint>
#include <QRect>
#include <QSize>

inline constexpr int CascadeStep = 32;  // pixels right and down per window
inline constexpr int CascadeLength = 8;  // after this many, start over

// AOwnerTopLeft: the main window's outer top-left corner; AIndex: how many
// raw windows of that owner are open already; ASize: the new window's size;
// AAvailable: the screen area it must stay within (empty: no limit).
QPoint CascadePosition(const QPoint &AOwnerTopLeft, int AIndex, const QSize &ASize, const QRect &AAvailable);
