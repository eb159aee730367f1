#pragma once
// Marks on a chart at single tones: a dashed vertical line through the plot
// and, where given, a short label beside its top. They stand on the chart
// apart from its series, so drawing or clearing series leaves them; only
// Set and Clear replace them.

#include <vector>

#include <QColor>
#include <QString>

class TToneChart;

struct TToneMark {
  double Tone = 0;
  QString Label;  // empty: the line alone
  bool operator==(const TToneMark &) const = default;
};

class TToneMarks {
public:
  // Replaces every mark of AChart with AMarks, drawn in AColor.
  static void Set(TToneChart *AChart, const std::vector<TToneMark> &AMarks, const QColor &AColor);
  static void Clear(TToneChart *AChart);
  // The marks AChart shows, read from its items, by tone.
  static std::vector<TToneMark> Of(const TToneChart *AChart);

private:
  static void Add(TToneChart *AChart, const TToneMark &AMark, const QColor &AColor, int ARow);
};
