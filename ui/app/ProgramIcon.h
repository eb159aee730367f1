#pragma once
// The product's icon, drawn in code: a few bars in the direction colours, as
// a bit-loading chart looks. Used by the About box and the main window.

#include <QIcon>
#include <QPainter>
#include <QPixmap>

// The icon, drawn afresh for every size asked of it, so that it is sharp at
// any device pixel ratio; it names seven sizes, 16 to 256 pixels, to those
// who ask which sizes it has.
QIcon TonegraphIcon();

// One size of it, ASize pixels at ADevicePixelRatio device pixels to the
// pixel, drawn for that size rather than scaled.
QPixmap TonegraphIconPixmap(int ASize, qreal ADevicePixelRatio = 1);

// Paints it into a square of ASize units at the painter's origin: the same
// drawing for a pixmap, the installed icon files and the scalable picture.
void PaintTonegraphIcon(QPainter &APainter, double ASize);
