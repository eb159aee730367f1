#include "UpDown.h"

#include <algorithm>

#include <QKeyEvent>
#include <QLineEdit>
#include <QValidator>
#include <QToolButton>
#include <QVBoxLayout>

namespace {

// Lets the field hold only a number the spin buttons could show: digits,
// no leading zero, never above the maximum. A number below the minimum may
// stand while more digits can still bring it into range; the field may be
// empty while the user retypes it.
class TPositionValidator : public QValidator {
public:
  TPositionValidator(const TUpDown *AUpDown, QObject *AParent) : QValidator(AParent), FUpDown(AUpDown) {}

  State validate(QString &AInput, int &) const override {
    if (AInput.isEmpty())
      return Intermediate;
    if (AInput.size() > 10 || AInput.front() == QLatin1Char('0') ||
        !std::all_of(AInput.begin(), AInput.end(), [](QChar c) { return c >= '0' && c <= '9'; }))
      return Invalid;
    const long long value = AInput.toLongLong();
    if (value > FUpDown->Max())
      return Invalid;
    if (value >= FUpDown->Min())
      return Acceptable;
    return value * 10 <= FUpDown->Max() ? Intermediate : Invalid;
  }

private:
  const TUpDown *FUpDown;
};

}  // namespace

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
  AEdit->setValidator(new TPositionValidator(this, AEdit));
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
    FAssociate->setText(QString::number(FPosition));  // a port number: no digit grouping
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
