#include "UpDown.h"

#include <QKeyEvent>
#include <QLineEdit>
#include <QLocale>
#include <QRegularExpressionValidator>
#include <QToolButton>
#include <QVBoxLayout>

TUpDown::TUpDown(QWidget *AParent) : QWidget(AParent) {
  auto *layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->setSpacing(0);
  FUp = new QToolButton(this);
  FDown = new QToolButton(this);
  FUp->setArrowType(Qt::UpArrow);
  FDown->setArrowType(Qt::DownArrow);
  for (QToolButton *button : {FUp, FDown}) {
    button->setAutoRepeat(true);
    button->setFocusPolicy(Qt::NoFocus);
    button->setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Expanding);
    button->setFixedWidth(18);
    layout->addWidget(button);
  }
  connect(FUp, &QToolButton::clicked, this, [this] { StepBy(1); });
  connect(FDown, &QToolButton::clicked, this, [this] { StepBy(-1); });
}

void TUpDown::SetAssociate(QLineEdit *AEdit) {
  FAssociate = AEdit;
  setFixedHeight(AEdit->sizeHint().height());
  const QString separator = QRegularExpression::escape(QLocale().groupSeparator());
  AEdit->setValidator(new QRegularExpressionValidator(QRegularExpression("[0-9" + separator + "]*"), AEdit));
  AEdit->installEventFilter(this);
  connect(AEdit, &QLineEdit::textEdited, this, &TUpDown::AssociateEdited);
}

void TUpDown::SetRange(int AMin, int AMax) {
  FMin = std::min(AMin, AMax);
  FMax = std::max(AMin, AMax);
  SetPosition(FPosition);
}

void TUpDown::SetPosition(int AValue) {
  FPosition = std::clamp(AValue, FMin, FMax);
  if (FAssociate)
    FAssociate->setText(QLocale().toString(FPosition));
}

void TUpDown::StepBy(int ASteps) {
  SetPosition(FPosition + ASteps);
}

long long TUpDown::ParseDigits(const QString &AText) {
  QString digits;
  for (QChar c : AText)
    if (c.isDigit())
      digits += c;
  bool ok = false;
  const long long value = digits.left(12).toLongLong(&ok);
  return ok ? value : -1;
}

void TUpDown::AssociateEdited(const QString &AText) {
  const long long value = ParseDigits(AText);
  if (value >= 0)
    FPosition = static_cast<int>(std::clamp<long long>(value, FMin, FMax));
}

bool TUpDown::eventFilter(QObject *AWatched, QEvent *AEvent) {
  if (AWatched == FAssociate && AEvent->type() == QEvent::KeyPress) {
    const int key = static_cast<QKeyEvent *>(AEvent)->key();
    if (key == Qt::Key_Up || key == Qt::Key_Down) {
      StepBy(key == Qt::Key_Up ? 1 : -1);
      return true;
    }
  }
  return QWidget::eventFilter(AWatched, AEvent);
}
