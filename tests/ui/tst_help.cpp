// Context help: which topic F1 shows for a focused control, the one reused
// help window, and pages that exist for every topic number and link only to
// pages that exist.

#include <QApplication>
#include <QLineEdit>
#include <QPushButton>
#include <QRegularExpression>
#include <QTabWidget>
#include <QTest>
#include <QTextBrowser>
#include <QVBoxLayout>

#include <memory>

#include "HelpSystem.h"
#include "fmHelp.h"

namespace {

// A small window shaped like the main window where it matters for help: a
// numbered field in an unnumbered panel, a numbered button, and an inner tab
// control whose page has no number inside an outer numbered one.
struct THelpFixture {
  std::unique_ptr<QWidget> Window = std::make_unique<QWidget>();
  QWidget *pnlInputs = new QWidget(Window.get());
  QLineEdit *edRouterPort = new QLineEdit(pnlInputs);
  QPushButton *btnLoadDataFromFile = new QPushButton("Load data from file...", pnlInputs);
  QPushButton *btnSaveCfg = new QPushButton("Save configuration...", pnlInputs);
  QTabWidget *pgcMain = new QTabWidget(Window.get());
  QWidget *tbsHLog = new QWidget;
  QWidget *tbsInput = new QWidget;
  QTabWidget *PageControl1 = new QTabWidget(tbsInput);
  QLineEdit *edZeroNumber = new QLineEdit(pnlInputs);

  THelpFixture() {
    auto *layout = new QVBoxLayout(Window.get());
    layout->addWidget(pnlInputs);
    layout->addWidget(pgcMain);
    auto *inputs = new QVBoxLayout(pnlInputs);
    for (QWidget *w : {static_cast<QWidget *>(edRouterPort), static_cast<QWidget *>(btnLoadDataFromFile),
                       static_cast<QWidget *>(btnSaveCfg), static_cast<QWidget *>(edZeroNumber)})
      inputs->addWidget(w);
    pgcMain->addTab(tbsHLog, "HLog");
    pgcMain->addTab(tbsInput, "Bins");
    PageControl1->addTab(new QWidget, "Bitloading");
    edRouterPort->setObjectName("edRouterPort");
    btnLoadDataFromFile->setObjectName("btnLoadDataFromFile");
    btnSaveCfg->setObjectName("btnSaveCfg");
    PageControl1->setObjectName("PageControl1");
    SetHelpContext(edRouterPort, 2000);
    SetHelpContext(btnLoadDataFromFile, 3001);
    SetHelpContext(pgcMain, 2003);
    SetHelpContext(tbsHLog, 2003);
    SetHelpContext(edZeroNumber, 0);  // no topic of its own: the walk goes on
    THelpSystem::InstallF1(Window.get());
  }
};

QStringList HelpPages() {
  QStringList pages{"contents.html", "profiles.html"};
  for (int number : THelpSystem::TopicNumbers())
    pages << QString::number(number) + ".html";
  return pages;
}

QStringList LinksOf(const QString &AHtml) {
  QStringList links;
  QRegularExpression href("href=\"([^\"]+)\"");
  for (auto it = href.globalMatch(AHtml); it.hasNext();)
    links << it.next().captured(1);
  return links;
}

} // namespace

class THelpTest : public QObject {
  Q_OBJECT

private slots:
  void cleanup();
  void HelpContextWalksUpToTheNearestNumber();
  void F1ShowsTheTopicOfTheFocusedControl_data();
  void F1ShowsTheTopicOfTheFocusedControl();
  void OneHelpWindowIsReusedAndModeless();
  void HelpButtonShowsContentsAndUnknownNumbersToo();
  void EveryTopicNumberHasItsPage();
  void ContentsLinksEveryTopicAndNoLinkIsBroken();
};

void THelpTest::cleanup() { delete TfrmHelp::Instance(); }

void THelpTest::HelpContextWalksUpToTheNearestNumber() {
  THelpFixture f;
  QCOMPARE(HelpContextFor(f.edRouterPort), 2000);
  QCOMPARE(HelpContextFor(f.btnSaveCfg), 0);
  QCOMPARE(HelpContextFor(f.PageControl1), 2003);
  QCOMPARE(HelpContextFor(f.edZeroNumber), 0);
  QCOMPARE(HelpContextFor(nullptr), 0);
  f.pnlInputs->setProperty("helpContext", "not a number");
  QCOMPARE(HelpContextFor(f.btnSaveCfg), 0);
  SetHelpContext(f.pnlInputs, 2001);
  QCOMPARE(HelpContextFor(f.btnSaveCfg), 2001);
  QCOMPARE(HelpContextFor(f.edZeroNumber), 2001);
}

void THelpTest::F1ShowsTheTopicOfTheFocusedControl_data() {
  QTest::addColumn<QString>("control");
  QTest::addColumn<int>("topic");
  QTest::newRow("port field") << "edRouterPort" << 2000;
  QTest::newRow("load data button") << "btnLoadDataFromFile" << 3001;
  QTest::newRow("inner page control of Bins") << "PageControl1" << 2003;
  QTest::newRow("unnumbered button gives contents") << "btnSaveCfg" << 0;
}

void THelpTest::F1ShowsTheTopicOfTheFocusedControl() {
  QFETCH(QString, control);
  QFETCH(int, topic);
  THelpFixture f;
  f.pgcMain->setCurrentWidget(f.tbsInput);
  f.Window->show();
  QVERIFY(QTest::qWaitForWindowActive(f.Window.get()));
  QWidget *target = f.Window->findChild<QWidget *>(control);
  QVERIFY(target != nullptr);
  target->setFocus();
  // A tab control hands its focus to its tab bar, a child of it.
  QWidget *focused = QApplication::focusWidget();
  QVERIFY(focused == target || target->isAncestorOf(focused));
  QTest::keyClick(focused, Qt::Key_F1);
  TfrmHelp *help = TfrmHelp::Instance();
  QVERIFY(help != nullptr);
  QCOMPARE(help->CurrentTopic(), topic);
  QCOMPARE(help->CurrentUrl(), topic == 0 ? THelpSystem::ContentsUrl() : THelpSystem::TopicUrl(topic));
}

void THelpTest::OneHelpWindowIsReusedAndModeless() {
  QWidget owner;
  THelpSystem::ShowTopic(&owner, 2004);
  QPointer<TfrmHelp> first = TfrmHelp::Instance();
  QVERIFY(first && first->isVisible());
  QVERIFY(!first->isModal());
  QVERIFY(first->windowTitle().contains("QLN"));
  THelpSystem::ShowTopic(&owner, 2006);
  QCOMPARE(TfrmHelp::Instance(), first.data());
  QCOMPARE(first->CurrentTopic(), 2006);
  first->close();
  QTRY_VERIFY(first.isNull());
  THelpSystem::ShowTopic(&owner, 2005);
  QVERIFY(TfrmHelp::Instance() != nullptr);
  QCOMPARE(TfrmHelp::Instance()->CurrentTopic(), 2005);
}

void THelpTest::HelpButtonShowsContentsAndUnknownNumbersToo() {
  QWidget owner;
  THelpSystem::ShowTopic(&owner, 2002);
  THelpSystem::ShowContents(&owner);
  QCOMPARE(TfrmHelp::Instance()->CurrentUrl(), THelpSystem::ContentsUrl());
  THelpSystem::ShowTopic(&owner, 2002);
  THelpSystem::ShowTopic(&owner, 2999);
  QCOMPARE(TfrmHelp::Instance()->CurrentUrl(), THelpSystem::ContentsUrl());
  QCOMPARE(TfrmHelp::Instance()->CurrentTopic(), 0);
}

void THelpTest::EveryTopicNumberHasItsPage() {
  const QList<int> expected{2000, 2001, 2002, 2003, 2004, 2005, 2006, 2007, 2008, 3000, 3001};
  QCOMPARE(THelpSystem::TopicNumbers(), expected);
  QWidget owner;
  for (int number : expected) {
    THelpSystem::ShowTopic(&owner, number);
    TfrmHelp *help = TfrmHelp::Instance();
    QCOMPARE(help->CurrentTopic(), number);
    QVERIFY2(!help->memTopic->documentTitle().isEmpty(), qPrintable(QString::number(number)));
    QVERIFY2(help->memTopic->toPlainText().size() > 300, qPrintable(QString::number(number)));
  }
}

void THelpTest::ContentsLinksEveryTopicAndNoLinkIsBroken() {
  const QStringList pages = HelpPages();
  for (const QString &page : pages) {
    QFile file(":/help/" + page);
    QVERIFY2(file.open(QIODevice::ReadOnly), qPrintable(page));
    const QStringList links = LinksOf(QString::fromUtf8(file.readAll()));
    if (page == "contents.html") {
      for (const QString &other : pages)
        if (other != page)
          QVERIFY2(links.contains(other), qPrintable("contents lacks " + other));
    }
    for (const QString &link : links)
      QVERIFY2(QFile::exists(":/help/" + link), qPrintable(page + " -> " + link));
  }
}

QTEST_MAIN(THelpTest)
#include "tst_help.moc"
