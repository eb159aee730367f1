#pragma once
// The "Line" page: what the analysis of the selected snapshot says about the
// line. The router's own figures and those counted from the tables, per
// direction, in one table; the loop's length; bridged taps and radio
// disturbers; findings in plain words with their severity. It only shows an
// analysis; it computes nothing.

#include <string>

#include <QWidget>

#include "DrayKindState.h"

class QGroupBox;
class QLabel;
class QListWidget;
class QTableWidget;
struct TLineAnalysis;

class TLinePage : public QWidget {
  Q_OBJECT
public:
  explicit TLinePage(QWidget *AParent = nullptr);

  // None empties the page: every figure a dash, no taps, disturbers or
  // findings.
  void ShowAnalysis(const TLineAnalysis *AAnalysis);

  // Rows of tblFigures, one column per direction in the order of the
  // shared direction list (upstream first, as everywhere).
  enum TFigureRow {
    frActualRate, frAttainableRate, frSNRMargin, frAttenuation, frLineRate, frTonesInUse, frTotalBits,
    frMaxBits, frSNRMean, frSNRMin, frRowCount
  };
  static constexpr int ColumnOf(TDirection ADirection) { return static_cast<int>(IndexOf(ADirection)); }
  static constexpr int USColumn = static_cast<int>(IndexOf(TDirection::Upstream));
  static constexpr int DSColumn = static_cast<int>(IndexOf(TDirection::Downstream));

  QLabel *lblState = nullptr;
  QLabel *lblProfile = nullptr;
  QLabel *lblKl0 = nullptr;
  QLabel *lblLength = nullptr;
  QTableWidget *tblFigures = nullptr;
  QTableWidget *tblTaps = nullptr;        // length, first notch, depth
  QTableWidget *tblDisturbers = nullptr;  // frequency, tone, rise, band
  QListWidget *lbxFindings = nullptr;     // the severity as the item's icon and tooltip

private:
  QGroupBox *CreateLineBox();
  QGroupBox *CreateFiguresBox();
  QGroupBox *CreateTapsBox();
  QGroupBox *CreateDisturbersBox();
  QGroupBox *CreateFindingsBox();
  void ShowLine(const TLineAnalysis *AAnalysis);
  void ShowFigures(const TLineAnalysis *AAnalysis);
  void ShowTaps(const TLineAnalysis *AAnalysis);
  void ShowDisturbers(const TLineAnalysis *AAnalysis);
  void ShowFindings(const TLineAnalysis *AAnalysis);
  void SetFigure(int ARow, int AColumn, const std::string &AText);
};
