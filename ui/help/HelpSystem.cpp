#include "HelpSystem.h"

#include <QApplication>
#include <QShortcut>
#include <QVariant>
#include <QWidget>

#include "fmHelp.h"

namespace {

const char *const HelpContextProperty = "helpContext";
const char *const HelpRoot = "qrc:/help/";

int OwnHelpContext(const QWidget *AWidget) {
  bool ok = false;
  const int context = AWidget->property(HelpContextProperty).toInt(&ok);
  return ok && context > 0 ? context : 0;
}

} // namespace

int HelpContextFor(const QWidget *AWidget) {
  for (const QWidget *widget = AWidget; widget != nullptr; widget = widget->parentWidget()) {
    if (const int context = OwnHelpContext(widget))
      return context;
  }
  return 0;
}

void SetHelpContext(QWidget *AWidget, int AHelpContext) {
  AWidget->setProperty(HelpContextProperty, AHelpContext);
}

const QList<int> &THelpSystem::TopicNumbers() {
  static const QList<int> numbers = {2000, 2001, 2002, 2003, 2004, 2005, 2006, 2007, 2008, 3000, 3001};
  return numbers;
}

bool THelpSystem::HasTopic(int AHelpContext) { return TopicNumbers().contains(AHelpContext); }

QUrl THelpSystem::TopicUrl(int AHelpContext) {
  if (!HasTopic(AHelpContext))
    return ContentsUrl();
  return QUrl(QString(HelpRoot) + QString::number(AHelpContext) + ".html");
}

QUrl THelpSystem::ContentsUrl() { return QUrl(QString(HelpRoot) + "contents.html"); }

int THelpSystem::TopicOfUrl(const QUrl &AUrl) {
  const QString name = AUrl.fileName();
  if (!name.endsWith(".html"))
    return 0;
  bool ok = false;
  const int number = name.chopped(5).toInt(&ok);
  return ok && HasTopic(number) ? number : 0;
}

void THelpSystem::ShowTopic(QWidget *AParent, int AHelpContext) {
  TfrmHelp::Open(AParent)->ShowUrl(TopicUrl(AHelpContext));
}

void THelpSystem::ShowContents(QWidget *AParent) { ShowTopic(AParent, 0); }

void THelpSystem::InstallF1(QWidget *AWindow) {
  auto *shortcut = new QShortcut(QKeySequence(Qt::Key_F1), AWindow);
  shortcut->setContext(Qt::WindowShortcut);
  QObject::connect(shortcut, &QShortcut::activated, AWindow, [AWindow] {
    ShowTopic(AWindow, HelpContextFor(QApplication::focusWidget()));
  });
}
