#pragma once
// Context help. Controls carry their topic number in the dynamic property
// "helpContext"; F1 shows the topic of the focused control or of the nearest
// enclosing control that has one. The topics are HTML pages compiled into the
// program and shown in one modeless help window.

#include <QUrl>

class QWidget;

// The first "helpContext" (an int above 0) found on AWidget or its parents,
// or 0 when none carries one.
int HelpContextFor(const QWidget *AWidget);

// Gives AWidget its topic number.
void SetHelpContext(QWidget *AWidget, int AHelpContext);

class THelpSystem {
public:
  // Opens (or brings up) the help window at the topic; 0 or a number without
  // a topic opens the contents instead.
  static void ShowTopic(QWidget *AParent, int AHelpContext);
  static void ShowContents(QWidget *AParent);

  // Makes F1 anywhere in AWindow open the topic of the focused control.
  static void InstallF1(QWidget *AWindow);

  // The numbers that have a topic page, in the order of the contents.
  static const QList<int> &TopicNumbers();
  static bool HasTopic(int AHelpContext);
  static QUrl TopicUrl(int AHelpContext);
  static QUrl ContentsUrl();
  // The topic number of a page address, 0 for the contents and other pages.
  static int TopicOfUrl(const QUrl &AUrl);
};
