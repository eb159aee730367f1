#include "LinePage.h"

#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QListWidget>
#include <QStyle>
#include <QTableWidget>
#include <QVBoxLayout>

#include "LineAnalysis.h"
#include "LineTexts.h"

namespace {

QTableWidget *NewTable(QWidget *AParent, const char *AName, const QStringList &AColumns) {
  auto *table = new QTableWidget(0, static_cast<int>(AColumns.size()), AParent);
  table->setObjectName(QString::fromLatin1(AName));
  table->setHorizontalHeaderLabels(AColumns);
  table->setEditTriggers(QAbstractItemView::NoEditTriggers);
  table->setSelectionMode(QAbstractItemView::NoSelection);
  table->setFocusPolicy(Qt::NoFocus);
  table->verticalHeader()->setVisible(false);
  table->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
  table->horizontalHeader()->setSectionResizeMode(QHeaderView::Stretch);
  return table;
}

QTableWidgetItem *Cell(const QString &AText) {
  auto *item = new QTableWidgetItem(AText);
  item->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
  return item;
}

// One row per entry, or one row that says there is none.
void FillRows(QTableWidget *ATable, const std::vector<QStringList> &ARows, const QString &ANone) {
  ATable->clearSpans();
  ATable->setRowCount(0);
  if (ARows.empty()) {
    ATable->setRowCount(1);
    auto *none = new QTableWidgetItem(ANone);
    none->setTextAlignment(Qt::AlignCenter);
    none->setForeground(ATable->palette().brush(QPalette::PlaceholderText));
    ATable->setItem(0, 0, none);
    ATable->setSpan(0, 0, 1, ATable->columnCount());
    return;
  }
  ATable->setRowCount(static_cast<int>(ARows.size()));
  for (int row = 0; row < ATable->rowCount(); ++row)
    for (int column = 0; column < ATable->columnCount(); ++column)
      ATable->setItem(row, column, Cell(ARows[static_cast<std::size_t>(row)].value(column)));
}

QGroupBox *NewBox(QWidget *AParent, const char *ATitle, QWidget *AContent) {
  auto *box = new QGroupBox(QString::fromUtf8(ATitle), AParent);
  (new QVBoxLayout(box))->addWidget(AContent);
  return box;
}

template <typename T, typename F>
auto Maybe(const std::optional<T> &AValue, F AField) -> std::optional<decltype(AField(*AValue))> {
  if (!AValue)
    return std::nullopt;
  return AField(*AValue);
}

}  // namespace

TLinePage::TLinePage(QWidget *AParent) : QWidget(AParent) {
  setObjectName(QStringLiteral("tbsLine"));
  auto *left = new QVBoxLayout;
  left->addWidget(CreateLineBox());
  left->addWidget(CreateFiguresBox());
  left->addStretch(1);
  auto *right = new QVBoxLayout;
  right->addWidget(CreateTapsBox(), 1);
  right->addWidget(CreateDisturbersBox(), 2);
  right->addWidget(CreateFindingsBox(), 2);
  auto *layout = new QHBoxLayout(this);
  layout->addLayout(left, 1);
  layout->addLayout(right, 1);
  ShowAnalysis(nullptr);
}

QGroupBox *TLinePage::CreateLineBox() {
  auto *box = new QGroupBox(QStringLiteral("Line"), this);
  auto *form = new QFormLayout(box);
  const std::pair<QLabel **, const char *> rows[] = {{&lblState, "State:"},
                                                     {&lblProfile, "Profile:"},
                                                     {&lblKl0, "Loss at 1 MHz (kl0):"},
                                                     {&lblLength, "Estimated length:"}};
  for (const auto &[label, caption] : rows) {
    *label = new QLabel(box);
    (*label)->setTextInteractionFlags(Qt::TextSelectableByMouse);
    form->addRow(QString::fromUtf8(caption), *label);
  }
  lblState->setObjectName(QStringLiteral("lblState"));
  lblProfile->setObjectName(QStringLiteral("lblProfile"));
  lblKl0->setObjectName(QStringLiteral("lblKl0"));
  lblLength->setObjectName(QStringLiteral("lblLength"));
  return box;
}

QGroupBox *TLinePage::CreateFiguresBox() {
  QStringList directions;
  for (const TDirection direction : DrayDirections)
    directions << QString::fromLatin1(DirectionTitle(direction));
  tblFigures = NewTable(this, "tblFigures", directions);
  tblFigures->setRowCount(frRowCount);
  tblFigures->setVerticalHeaderLabels({"Actual rate", "Attainable rate", "SNR margin", "Attenuation",
                                       "Line rate from bits", "Tones in use", "Bits per symbol", "Most bits on a tone",
                                       "Mean SNR", "Lowest SNR"});
  tblFigures->verticalHeader()->setVisible(true);
  // As tall as its rows: the figures read as one block, without a scroll bar.
  tblFigures->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  tblFigures->setSizeAdjustPolicy(QAbstractScrollArea::AdjustToContents);
  tblFigures->setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Fixed);
  return NewBox(this, "Figures", tblFigures);
}

QGroupBox *TLinePage::CreateTapsBox() {
  tblTaps = NewTable(this, "tblTaps", {QStringLiteral("Length"), QStringLiteral("First notch"),
                                       QStringLiteral("Notch depth")});
  return NewBox(this, "Bridged taps", tblTaps);
}

QGroupBox *TLinePage::CreateDisturbersBox() {
  tblDisturbers = NewTable(this, "tblDisturbers", {QStringLiteral("Frequency"), QStringLiteral("Tone"),
                                                   QStringLiteral("Above floor"), QStringLiteral("Radio band")});
  return NewBox(this, "Radio disturbers", tblDisturbers);
}

QGroupBox *TLinePage::CreateFindingsBox() {
  lbxFindings = new QListWidget(this);
  lbxFindings->setObjectName(QStringLiteral("lbxFindings"));
  lbxFindings->setSelectionMode(QAbstractItemView::NoSelection);
  lbxFindings->setFocusPolicy(Qt::NoFocus);
  lbxFindings->setWordWrap(true);
  return NewBox(this, "Findings", lbxFindings);
}

void TLinePage::ShowAnalysis(const TLineAnalysis *AAnalysis) {
  ShowLine(AAnalysis);
  ShowFigures(AAnalysis);
  ShowTaps(AAnalysis);
  ShowDisturbers(AAnalysis);
  ShowFindings(AAnalysis);
}

void TLinePage::ShowLine(const TLineAnalysis *AAnalysis) {
  if (!AAnalysis) {
    for (QLabel *label : {lblState, lblProfile, lblKl0, lblLength})
      label->setText(Shown(NoFigureText));
    return;
  }
  const TLoopFigures &loop = AAnalysis->Loop;
  lblState->setText(Shown(PlainText(AAnalysis->Reported.State)));
  lblProfile->setText(QString::fromLatin1(ProfileName(AAnalysis->Profile)));
  lblKl0->setText(Shown(DbText(loop.Kl0Db)));
  lblLength->setText(loop.LengthM ? QStringLiteral("%1 (%2 mm cable, %3 dB/km at 1 MHz)")
                                        .arg(Shown(LengthText(loop.LengthM)))
                                        .arg(loop.GaugeMm, 0, 'f', 1)
                                        .arg(loop.DbPerKmAt1MHz, 0, 'f', 1)
                                  : Shown(NoFigureText));
}

void TLinePage::SetFigure(int ARow, int AColumn, const std::string &AText) {
  tblFigures->setItem(ARow, AColumn, Cell(Shown(AText)));
}

void TLinePage::ShowFigures(const TLineAnalysis *AAnalysis) {
  static const TLineAnalysis none;
  const TLineAnalysis &a = AAnalysis ? *AAnalysis : none;
  const TReportedFigures &r = a.Reported;
  for (const TDirection d : DrayDirections) {
    const int column = ColumnOf(d);
    const std::optional<TBitFigures> &bits = a.Bits[d];
    const std::optional<TSNRFigures> &snr = a.SNR[d];
    SetFigure(frActualRate, column, RateText(r.ActualRate[d]));
    SetFigure(frAttainableRate, column, RateText(r.AttainableRate[d]));
    SetFigure(frSNRMargin, column, DbText(r.SNRMargin[d]));
    SetFigure(frAttenuation, column, DbText(r.Attenuation[d]));
    SetFigure(frLineRate, column, RateText(Maybe(bits, [](const TBitFigures &b) { return b.LineRate; })));
    SetFigure(frTonesInUse, column, CountText(Maybe(bits, [](const TBitFigures &b) { return std::int64_t{b.TonesInUse}; })));
    SetFigure(frTotalBits, column, CountText(Maybe(bits, [](const TBitFigures &b) { return b.TotalBits; })));
    SetFigure(frMaxBits, column, CountText(Maybe(bits, [](const TBitFigures &b) { return std::int64_t{b.MaxBits}; })));
    SetFigure(frSNRMean, column, DbText(Maybe(snr, [](const TSNRFigures &s) { return s.Mean; })));
    SetFigure(frSNRMin, column, DbText(Maybe(snr, [](const TSNRFigures &s) { return s.Min; })));
  }
}

void TLinePage::ShowTaps(const TLineAnalysis *AAnalysis) {
  std::vector<QStringList> rows;
  if (AAnalysis)
    for (const TBridgedTap &tap : AAnalysis->BridgedTaps)
      rows.push_back({Shown(LengthText(tap.LengthM)), Shown(FrequencyText(tap.FirstNotchHz)), Shown(DbText(tap.DepthDb))});
  FillRows(tblTaps, rows, AAnalysis ? QStringLiteral("No bridged tap found") : Shown(NoFigureText));
}

void TLinePage::ShowDisturbers(const TLineAnalysis *AAnalysis) {
  std::vector<QStringList> rows;
  if (AAnalysis)
    for (const TDisturber &disturber : AAnalysis->Disturbers)
      rows.push_back({Shown(FrequencyText(disturber.FrequencyHz)), QString::number(disturber.Tone),
                      Shown(DbText(disturber.RiseDb)), Shown(PlainText(disturber.Band))});
  FillRows(tblDisturbers, rows, AAnalysis ? QStringLiteral("No radio disturber found") : Shown(NoFigureText));
}

void TLinePage::ShowFindings(const TLineAnalysis *AAnalysis) {
  lbxFindings->clear();
  if (!AAnalysis)
    return;
  for (const TFinding &finding : AAnalysis->Findings) {
    const bool warning = finding.Severity == TSeverity::Warning;
    auto *item = new QListWidgetItem(QString::fromStdString(finding.Text), lbxFindings);
    item->setIcon(style()->standardIcon(warning ? QStyle::SP_MessageBoxWarning : QStyle::SP_MessageBoxInformation));
    item->setToolTip(warning ? QStringLiteral("Warning") : QStringLiteral("For information"));
    item->setData(Qt::UserRole, QString::fromLatin1(SeverityName(finding.Severity)));
  }
  if (AAnalysis->Findings.empty())
    new QListWidgetItem(QStringLiteral("Nothing to report"), lbxFindings);
}
