#pragma once
// The help window: one modeless window over the compiled-in help pages,
// reused by every request while it is open.

#include <QPointer>
#include <QWidget>

class QPushButton;
class QTextBrowser;

class TfrmHelp : public QWidget {
  Q_OBJECT

public:
  // The open help window, created (owned by AParent's window) when there is
  // none, shown and raised.
  static TfrmHelp *Open(QWidget *AParent);
  // The open help window, or nullptr.
  static TfrmHelp *Instance();

  void ShowUrl(const QUrl &AUrl);
  QUrl CurrentUrl() const;
  // The topic number of the page shown, 0 for the contents and other pages.
  int CurrentTopic() const;

  QPushButton *btnContents = nullptr;
  QPushButton *btnBack = nullptr;
  QPushButton *btnForward = nullptr;
  QTextBrowser *memTopic = nullptr;

private:
  explicit TfrmHelp(QWidget *AOwner);
  void CreateButtons();
  void CreateBrowser();
  void btnContentsClick();
  void memTopicSourceChanged();

  static QPointer<TfrmHelp> FInstance;
};
