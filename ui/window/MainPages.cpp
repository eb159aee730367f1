#include "MainPages.h"

#include <QFontDatabase>
#include <QHBoxLayout>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTabBar>
#include <QVBoxLayout>

#include "LinePage.h"
#include "TimelinePage.h"
#include "ToneChart.h"

namespace {

QWidget *NewPage(QWidget *AParent, const char *AName, int AHelpContext) {
  auto *page = new QWidget(AParent);
  page->setObjectName(QString::fromLatin1(AName));
  if (AHelpContext > 0)
    page->setProperty("helpContext", AHelpContext);
  return page;
}

}  // namespace

TMainPages::TMainPages(QWidget *AParent) : QTabWidget(AParent) {
  setObjectName(QStringLiteral("pgcMain"));
  setProperty("helpContext", 2003);
  TabSheet1 = CreateRouterPage();
  tbsLine = new TLinePage(this);
  tbsHLog = CreateChartPage("tbsHLog", chartHLog, "chartHLog", btnHLogShowRaw, "btnHLogShowRaw", lblHLogHint);
  tbsQLN = CreateChartPage("tbsQLN", chartQLN, "chartQLN", btnQLNShowRawData, "btnQLNShowRawData", lblQLNHint);
  tbsSNR = CreateChartPage("tbsSNR", chartSNR, "chartSNR", btnSNRShowRawData, "btnSNRShowRawData", lblSNRHint);
  tbsInput = CreateBinsPage();
  addTab(TabSheet1, QStringLiteral("Router"));
  addTab(tbsLine, QStringLiteral("Line"));
  addTab(tbsHLog, QStringLiteral("HLog"));
  addTab(tbsQLN, QStringLiteral("QLN"));
  addTab(tbsSNR, QStringLiteral("SNR"));
  addTab(tbsInput, QStringLiteral("Bins"));
  tbsTimeline = new TTimelinePage(this);
  addTab(tbsTimeline, QStringLiteral("Timeline"));
  tbsHLog->setProperty("helpContext", 2003);
  tbsQLN->setProperty("helpContext", 2004);
  tbsSNR->setProperty("helpContext", 2005);
  chartHLog->setProperty("helpContext", 2003);
  chartQLN->setProperty("helpContext", 2004);
  chartSNR->setProperty("helpContext", 2005);
}

TToneChart *TMainPages::NewChart(QWidget *AParent, const char *AName) {
  auto *chart = new TToneChart(AParent);
  chart->setObjectName(QString::fromLatin1(AName));
  chart->setFocusPolicy(Qt::ClickFocus);
  return chart;
}

QWidget *TMainPages::CreateRouterPage() {
  QWidget *page = NewPage(this, "TabSheet1", 2002);
  memStats = new QPlainTextEdit(page);
  memStats->setObjectName(QStringLiteral("memStats"));
  memStats->setReadOnly(true);
  memStats->setLineWrapMode(QPlainTextEdit::NoWrap);
  memStats->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
  memStats->setProperty("helpContext", 2002);
  QFont mono = QFontDatabase::systemFont(QFontDatabase::FixedFont);
  mono.setPixelSize(15);
  memStats->setFont(mono);
  btnHelp = new QPushButton(QStringLiteral("Help..."), page);
  btnHelp->setObjectName(QStringLiteral("btnHelp"));
  btnAbout = new QPushButton(QStringLiteral("About..."), page);
  btnAbout->setObjectName(QStringLiteral("btnAbout"));
  auto *buttons = new QHBoxLayout;
  buttons->addWidget(btnHelp);
  buttons->addStretch(1);
  buttons->addWidget(btnAbout);
  auto *layout = new QVBoxLayout(page);
  layout->addWidget(memStats, 1);
  layout->addLayout(buttons);
  return page;
}

QWidget *TMainPages::WithRawStrip(const char *AName, QWidget *AContent, QPushButton *&AButton,
                                  const char *AButtonName, QLabel *&AHint) {
  QWidget *page = AContent->parentWidget();
  page->setObjectName(QString::fromLatin1(AName));
  AButton = new QPushButton(QStringLiteral("Show raw data..."), page);
  AButton->setObjectName(QString::fromLatin1(AButtonName));
  AHint = new QLabel(page);
  AHint->setForegroundRole(QPalette::PlaceholderText);
  auto *strip = new QHBoxLayout;
  strip->addWidget(AHint, 1);
  strip->addWidget(AButton);
  auto *layout = new QVBoxLayout(page);
  layout->setContentsMargins(2, 2, 2, 2);
  layout->addWidget(AContent, 1);
  layout->addLayout(strip);
  return page;
}

QWidget *TMainPages::CreateChartPage(const char *AName, TToneChart *&AChart, const char *AChartName,
                                     QPushButton *&AButton, const char *AButtonName, QLabel *&AHint) {
  auto *page = new QWidget(this);
  AChart = NewChart(page, AChartName);
  return WithRawStrip(AName, AChart, AButton, AButtonName, AHint);
}

QWidget *TMainPages::CreateBinSNRPage() {
  QWidget *page = NewPage(PageControl1, "TabSheet4", 2008);
  chartBinSNRUS = NewChart(page, "chartBinSNRUS");
  chartBinSNRDS = NewChart(page, "chartBinSNRDS");
  auto *grid = new QVBoxLayout(page);
  grid->setContentsMargins(0, 0, 0, 0);
  grid->addWidget(chartBinSNRUS, 1);
  grid->addWidget(chartBinSNRDS, 1);
  return page;
}

QWidget *TMainPages::CreateBinsPage() {
  auto *page = new QWidget(this);
  PageControl1 = new QTabWidget(page);
  PageControl1->setObjectName(QStringLiteral("PageControl1"));
  // Flat, button-like tabs set the inner pages apart from the outer ones.
  PageControl1->setDocumentMode(true);
  PageControl1->tabBar()->setDrawBase(false);
  TabSheet2 = NewPage(PageControl1, "TabSheet2", 2006);
  chartBitLoading = NewChart(TabSheet2, "chartBitLoading");
  (new QVBoxLayout(TabSheet2))->addWidget(chartBitLoading);
  TabSheet3 = NewPage(PageControl1, "TabSheet3", 2007);
  chartGain = NewChart(TabSheet3, "chartGain");
  (new QVBoxLayout(TabSheet3))->addWidget(chartGain);
  TabSheet4 = CreateBinSNRPage();
  for (QWidget *sheet : {TabSheet2, TabSheet3})
    sheet->layout()->setContentsMargins(0, 0, 0, 0);
  PageControl1->addTab(TabSheet2, QStringLiteral("Bitloading"));
  PageControl1->addTab(TabSheet3, QStringLiteral("Gain"));
  PageControl1->addTab(TabSheet4, QStringLiteral("SNR"));
  PageControl1->setCurrentIndex(0);
  return WithRawStrip("tbsInput", PageControl1, btnBinShowRawData, "btnBinShowRawData", lblBinsHint);
}
