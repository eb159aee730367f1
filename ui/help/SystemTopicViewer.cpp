#include "SystemTopicViewer.h"

#include "HelpSystem.h"

void TSystemTopicViewer::ShowTopic(int AHelpContext) {
  THelpSystem::ShowTopic(FParent, AHelpContext);
}

void TSystemTopicViewer::ShowContents() {
  THelpSystem::ShowContents(FParent);
}
