#pragma once
// The product's icon, drawn in code: a few bars in the direction colours, as
// a bit-loading chart looks. Used by the About box and the main window.

#include <QIcon>
#include <QPixmap>

// The icon in its seven sizes, 16 to 256 pixels.
QIcon TonegraphIcon();

// One size of it, drawn for that size rather than scaled.
QPixmap TonegraphIconPixmap(int ASize);
