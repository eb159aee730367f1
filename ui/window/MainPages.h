#pragma once
// The page control filling the window left of the input panel: the router's
// status text (Router), what the analysis says about the line (Line), the
// seven charts on four pages (HLog, QLN, SNR, Bins) and the captures of a
// history over time (Timeline).

#include <QTabWidget>

class QLabel;
class QPlainTextEdit;
class QPushButton;
class TLinePage;
class TTimelinePage;
class TToneChart;

class TMainPages : public QTabWidget {
  Q_OBJECT
public:
  explicit TMainPages(QWidget *AParent = nullptr);

  QWidget *TabSheet1 = nullptr;  // the Router page: the router's status text
  TLinePage *tbsLine = nullptr;
  QWidget *tbsHLog = nullptr;
  QWidget *tbsQLN = nullptr;
  QWidget *tbsSNR = nullptr;
  QWidget *tbsInput = nullptr;   // the Bins page: bit loading, gain and SNR per tone
  TTimelinePage *tbsTimeline = nullptr;
  QTabWidget *PageControl1 = nullptr;  // the inner pages of the Bins page:
  QWidget *TabSheet2 = nullptr;        // Bitloading
  QWidget *TabSheet3 = nullptr;        // Gain
  QWidget *TabSheet4 = nullptr;        // SNR, upstream above downstream

  QPlainTextEdit *memStats = nullptr;  // the status text of the snapshot shown
  QPushButton *btnHelp = nullptr;
  QPushButton *btnAbout = nullptr;

  TToneChart *chartHLog = nullptr;
  TToneChart *chartQLN = nullptr;
  TToneChart *chartSNR = nullptr;
  TToneChart *chartBitLoading = nullptr;
  TToneChart *chartGain = nullptr;
  TToneChart *chartBinSNRUS = nullptr;
  TToneChart *chartBinSNRDS = nullptr;

  QPushButton *btnHLogShowRaw = nullptr;
  QPushButton *btnQLNShowRawData = nullptr;
  QPushButton *btnSNRShowRawData = nullptr;
  QPushButton *btnBinShowRawData = nullptr;

  // Beside each "Show raw data..." button: how to zoom and pan that page's
  // charts (filled in by whoever sets their mouse scheme).
  QLabel *lblHLogHint = nullptr;
  QLabel *lblQLNHint = nullptr;
  QLabel *lblSNRHint = nullptr;
  QLabel *lblBinsHint = nullptr;

private:
  QWidget *CreateRouterPage();
  QWidget *CreateChartPage(const char *AName, TToneChart *&AChart, const char *AChartName, QPushButton *&AButton,
                           const char *AButtonName, QLabel *&AHint);
  QWidget *CreateBinsPage();
  QWidget *CreateBinSNRPage();
  QWidget *WithRawStrip(const char *AName, QWidget *AContent, QPushButton *&AButton, const char *AButtonName,
                        QLabel *&AHint);
  TToneChart *NewChart(QWidget *AParent, const char *AName);
};
