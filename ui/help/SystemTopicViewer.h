#pragma once
// Help shown in the program's own help window.

#include "TopicViewer.h"

class QWidget;

class TSystemTopicViewer : public ITopicViewer {
public:
  explicit TSystemTopicViewer(QWidget *AParent) : FParent(AParent) {}
  void ShowTopic(int AHelpContext) override;
  void ShowContents() override;

private:
  QWidget *FParent;
};
