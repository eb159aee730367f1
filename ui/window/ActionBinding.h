#pragma once
// A button bound to an action: enabled with it, captioned with it unless it
// keeps its own caption, and a click triggers the action.

class QAbstractButton;
class QAction;

void BindButtonToAction(QAbstractButton *AButton, QAction *AAction, bool AKeepOwnCaption = false);

// A button that stands for AAlternate while that action is enabled (its
// caption, its click) and for APrimary otherwise, keeping its own caption
// then: "Retrieve" that reads "Stop" while a reader runs.
void BindButtonToActions(QAbstractButton *AButton, QAction *APrimary, QAction *AAlternate);
