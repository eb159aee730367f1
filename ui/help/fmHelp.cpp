#include "fmHelp.h"

#include <QFile>
#include <QHBoxLayout>
#include <QPushButton>
#include <QTextBrowser>
#include <QVBoxLayout>

#include "HelpSystem.h"
#include "ProgramIcon.h"

QPointer<TfrmHelp> TfrmHelp::FInstance;

// The pages live in a static library; naming the resource here keeps the
// linker from dropping them. Must stay outside any namespace.
static void InitHelpResources() { Q_INIT_RESOURCE(help); }

namespace {

QString HelpStyleSheet() {
  QFile file(":/help/help.css");
  if (!file.open(QIODevice::ReadOnly))
    return {};
  return QString::fromUtf8(file.readAll());
}

} // namespace

TfrmHelp::TfrmHelp(QWidget *AOwner) : QWidget(AOwner, Qt::Window) {
  InitHelpResources();
  setObjectName("frmHelp");
  setAttribute(Qt::WA_DeleteOnClose);
  setWindowTitle("Tonegraph Help");
  setWindowIcon(TonegraphIcon());
  resize(720, 600);
  CreateButtons();
  CreateBrowser();
  auto *buttons = new QHBoxLayout;
  buttons->addWidget(btnContents);
  buttons->addWidget(btnBack);
  buttons->addWidget(btnForward);
  buttons->addStretch(1);
  auto *layout = new QVBoxLayout(this);
  layout->addLayout(buttons);
  layout->addWidget(memTopic, 1);
}

void TfrmHelp::CreateButtons() {
  btnContents = new QPushButton("Contents", this);
  btnBack = new QPushButton("Back", this);
  btnForward = new QPushButton("Forward", this);
  btnBack->setEnabled(false);
  btnForward->setEnabled(false);
  connect(btnContents, &QPushButton::clicked, this, [this] { btnContentsClick(); });
}

void TfrmHelp::CreateBrowser() {
  memTopic = new QTextBrowser(this);
  memTopic->setObjectName("memTopic");
  memTopic->setOpenExternalLinks(true);
  memTopic->document()->setDefaultStyleSheet(HelpStyleSheet());
  connect(btnBack, &QPushButton::clicked, memTopic, &QTextBrowser::backward);
  connect(btnForward, &QPushButton::clicked, memTopic, &QTextBrowser::forward);
  connect(memTopic, &QTextBrowser::backwardAvailable, btnBack, &QPushButton::setEnabled);
  connect(memTopic, &QTextBrowser::forwardAvailable, btnForward, &QPushButton::setEnabled);
  connect(memTopic, &QTextBrowser::sourceChanged, this, [this] { memTopicSourceChanged(); });
}

TfrmHelp *TfrmHelp::Open(QWidget *AParent) {
  if (FInstance.isNull())
    FInstance = new TfrmHelp(AParent != nullptr ? AParent->window() : nullptr);
  FInstance->show();
  FInstance->raise();
  FInstance->activateWindow();
  return FInstance;
}

TfrmHelp *TfrmHelp::Instance() { return FInstance; }

void TfrmHelp::ShowUrl(const QUrl &AUrl) { memTopic->setSource(AUrl); }

QUrl TfrmHelp::CurrentUrl() const { return memTopic->source(); }

int TfrmHelp::CurrentTopic() const { return THelpSystem::TopicOfUrl(CurrentUrl()); }

void TfrmHelp::btnContentsClick() { ShowUrl(THelpSystem::ContentsUrl()); }

void TfrmHelp::memTopicSourceChanged() {
  const QString title = memTopic->documentTitle();
  setWindowTitle(title.isEmpty() ? QString("Tonegraph Help") : "Tonegraph Help - " + title);
}
