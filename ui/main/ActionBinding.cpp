#include "ActionBinding.h"

#include <QAbstractButton>
#include <QAction>

void BindButtonToAction(QAbstractButton *AButton, QAction *AAction, bool AKeepOwnCaption) {
  auto sync = [AButton, AAction, AKeepOwnCaption] {
    AButton->setEnabled(AAction->isEnabled());
    if (!AKeepOwnCaption)
      AButton->setText(AAction->text());
  };
  sync();
  QObject::connect(AAction, &QAction::changed, AButton, sync);
  QObject::connect(AButton, &QAbstractButton::clicked, AAction, &QAction::trigger);
}
