#pragma once
// Spin buttons attached to a digits-only edit: they write their position into
// the edit (plain digits, no grouping: the field holds a port number) and
// read it back from there when the user types. The edit takes only numbers
// within the buttons' range.

#include <QWidget>

class QLineEdit;
class QToolButton;

class TUpDown : public QWidget {
  Q_OBJECT
public:
  explicit TUpDown(QWidget *AParent = nullptr);

  void SetAssociate(QLineEdit *AEdit);
  void SetRange(int AMin, int AMax);
  int Min() const { return FMin; }
  int Max() const { return FMax; }

  int Position() const { return FPosition; }
  void SetPosition(int AValue);
  void StepBy(int ASteps);

  // The number in an edit text, anything but digits skipped; -1 when it
  // holds no digit.
  static long long ParseDigits(const QString &AText);

protected:
  bool eventFilter(QObject *AWatched, QEvent *AEvent) override;

private:
  void AssociateEdited(const QString &AText);

  QLineEdit *FAssociate = nullptr;
  QToolButton *FUp = nullptr;
  QToolButton *FDown = nullptr;
  int FMin = 0;
  int FMax = 100;
  int FPosition = 0;
};
