#pragma once
// A button bound to an action: enabled with it, captioned with it unless it
// keeps its own caption, and a click triggers the action.

class QAbstractButton;
class QAction;

void BindButtonToAction(QAbstractButton *AButton, QAction *AAction, bool AKeepOwnCaption = false);
