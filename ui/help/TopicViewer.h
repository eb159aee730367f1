#pragma once
// Where the window sends the user for help: a topic by its number, or the
// table of contents.

class ITopicViewer {
public:
  virtual ~ITopicViewer() = default;
  virtual void ShowTopic(int AHelpContext) = 0;
  virtual void ShowContents() = 0;
};
