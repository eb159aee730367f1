#pragma once
// The About box: product name, version and the licence notices. Modal, ended
// only by "OK", Enter or the close box.

#include <QDialog>

class QFrame;
class QLabel;
class QPushButton;

class TfrmAbout : public QDialog {
  Q_OBJECT

public:
  explicit TfrmAbout(QWidget *AOwner = nullptr);

  QFrame *pnlAbout = nullptr;
  QLabel *ProgramIcon = nullptr;
  QLabel *ProductName = nullptr;
  QLabel *Version = nullptr;
  QLabel *Copyright = nullptr;
  QLabel *Comments = nullptr;
  QLabel *Disclaimer = nullptr;
  QPushButton *OKButton = nullptr;

protected:
  void keyPressEvent(QKeyEvent *AEvent) override;
  void showEvent(QShowEvent *AEvent) override;

private:
  void CreatePanel();
  void CreateTexts();
  void CreateButton();
  void CentreOnScreen();
};
