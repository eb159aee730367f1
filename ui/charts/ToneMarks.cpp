#include "ToneMarks.h"

#include <algorithm>

#include "ToneChart.h"

namespace {

// Items that are marks carry their tone under this property; the label of a
// mark carries it too, so both go together.
const char *const MarkTone = "toneMark";
// Labels of marks close together would overlap: they take turns on rows.
constexpr int LabelRows = 3;
constexpr double LabelRowHeight = 0.06;  // of the plot's height

bool IsMark(const QCPAbstractItem *AItem) {
  return AItem->property(MarkTone).isValid();
}

}  // namespace

void TToneMarks::Clear(TToneChart *AChart) {
  for (int i = AChart->itemCount() - 1; i >= 0; --i)
    if (IsMark(AChart->item(i)))
      AChart->removeItem(i);
}

void TToneMarks::Set(TToneChart *AChart, const std::vector<TToneMark> &AMarks, const QColor &AColor) {
  Clear(AChart);
  int row = 0;
  for (const TToneMark &mark : AMarks) {
    Add(AChart, mark, AColor, row);
    if (!mark.Label.isEmpty())
      row = (row + 1) % LabelRows;
  }
  AChart->QueueReplot();
}

void TToneMarks::Add(TToneChart *AChart, const TToneMark &AMark, const QColor &AColor, int ARow) {
  auto *line = new QCPItemStraightLine(AChart);
  line->setProperty(MarkTone, AMark.Tone);
  line->setPen(QPen(AColor, 1, Qt::DashLine));
  line->setSelectable(false);
  line->point1->setCoords(AMark.Tone, 0);
  line->point2->setCoords(AMark.Tone, 1);
  if (AMark.Label.isEmpty())
    return;
  auto *label = new QCPItemText(AChart);
  label->setProperty(MarkTone, AMark.Tone);
  label->setSelectable(false);
  label->setText(AMark.Label);
  label->setColor(AColor);
  label->setBrush(QBrush(QColor(255, 255, 255, 210)));
  label->setPadding(QMargins(3, 1, 3, 1));
  label->setPositionAlignment(Qt::AlignLeft | Qt::AlignTop);
  label->position->setTypeX(QCPItemPosition::ptPlotCoords);
  label->position->setTypeY(QCPItemPosition::ptAxisRectRatio);
  label->position->setCoords(AMark.Tone, 0.01 + ARow * LabelRowHeight);
}

std::vector<TToneMark> TToneMarks::Of(const TToneChart *AChart) {
  std::vector<TToneMark> marks;
  for (int i = 0; i < AChart->itemCount(); ++i) {
    const auto *line = qobject_cast<const QCPItemStraightLine *>(AChart->item(i));
    if (line && IsMark(line))
      marks.push_back({line->property(MarkTone).toDouble(), QString()});
  }
  for (int i = 0; i < AChart->itemCount(); ++i) {
    const auto *label = qobject_cast<const QCPItemText *>(AChart->item(i));
    if (!label || !IsMark(label))
      continue;
    const double tone = label->property(MarkTone).toDouble();
    for (TToneMark &mark : marks)
      if (mark.Tone == tone && mark.Label.isEmpty()) {
        mark.Label = label->text();
        break;
      }
  }
  std::stable_sort(marks.begin(), marks.end(), [](const TToneMark &A, const TToneMark &B) { return A.Tone < B.Tone; });
  return marks;
}
