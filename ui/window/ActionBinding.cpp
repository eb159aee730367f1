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

void BindButtonToActions(QAbstractButton *AButton, QAction *APrimary, QAction *AAlternate) {
  const QString ownCaption = AButton->text();
  auto sync = [AButton, APrimary, AAlternate, ownCaption] {
    const bool alternate = AAlternate->isEnabled();
    AButton->setEnabled(alternate || APrimary->isEnabled());
    AButton->setText(alternate ? AAlternate->text() : ownCaption);
  };
  sync();
  QObject::connect(APrimary, &QAction::changed, AButton, sync);
  QObject::connect(AAlternate, &QAction::changed, AButton, sync);
  QObject::connect(AButton, &QAbstractButton::clicked, AAlternate,
                   [APrimary, AAlternate] { (AAlternate->isEnabled() ? AAlternate : APrimary)->trigger(); });
}
