#include "Cascade.h"

#include <algorithm>

QPoint CascadePosition(const QPoint &AOwnerTopLeft, int AIndex, const QSize &ASize, const QRect &AAvailable) {
  const int steps = 1 + std::max(0, AIndex) % CascadeLength;
  QPoint pos = AOwnerTopLeft + QPoint(steps * CascadeStep, steps * CascadeStep);
  if (AAvailable.isEmpty())
    return pos;
  // Pushed back inside the screen at the right and bottom, but never past
  // its top-left corner, where the title bar must stay reachable.
  pos.setX(std::max(AAvailable.left(), std::min(pos.x(), AAvailable.right() + 1 - ASize.width())));
  pos.setY(std::max(AAvailable.top(), std::min(pos.y(), AAvailable.bottom() + 1 - ASize.height())));
  return pos;
}
