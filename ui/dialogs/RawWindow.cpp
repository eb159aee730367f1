#include "RawWindow.h"

#include <QFontDatabase>
#include <QFontMetrics>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScreen>
#include <QVBoxLayout>

#include "Cascade.h"
#include "DrayData.h"

namespace {

QFont Monospaced(QFont AFont) {
  AFont.setPointSize(8);
  AFont.setStyleHint(QFont::Monospace);
  AFont.setFixedPitch(true);
  return AFont;
}

// Whether columns of text line up in AFont as it is actually drawn.
bool LinesUp(const QFont &AFont) {
  const QFontMetrics metrics(AFont);
  return metrics.horizontalAdvance(QLatin1Char('i')) == metrics.horizontalAdvance(QLatin1Char('W'));
}

}  // namespace

// Router listings line up in columns. "Courier New" where it is installed;
// otherwise the desktop's own fixed-pitch face, since the font configuration
// may stand in for "Courier New" with a proportional face whatever hints the
// request carries.
QFont RawTextFont() {
  const QFont named = Monospaced(QFont(QStringLiteral("Courier New")));
  return LinesUp(named) ? named : Monospaced(QFontDatabase::systemFont(QFontDatabase::FixedFont));
}

namespace {

QPlainTextEdit *NewRawMemo(QWidget *AParent, const char *AName) {
  auto *memo = new QPlainTextEdit(AParent);
  memo->setObjectName(AName);
  memo->setReadOnly(true);
  memo->setLineWrapMode(QPlainTextEdit::NoWrap);
  memo->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
  memo->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  memo->setFont(RawTextFont());
  return memo;
}

QString TextOfLines(const TTextLines &ALines) {
  QStringList lines;
  lines.reserve(qsizetype(ALines.size()));
  for (const std::string_view line : ALines)
    lines << QString::fromUtf8(line.data(), qsizetype(line.size()));
  return lines.join(QLatin1Char('\n'));
}

} // namespace

TRawWindow::TRawWindow(QWidget *AOwner, const QSize &AClientSize)
    : QWidget(AOwner, Qt::Window | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                          Qt::WindowCloseButtonHint) {
  setAttribute(Qt::WA_DeleteOnClose);
  setFont(QFont("Segoe UI", 8));
  resize(AClientSize);
  memUS = NewRawMemo(this, "memUS");
  memDS = NewRawMemo(this, "memDS");
  lblUpstream = new QLabel("Upstream", this);
  lblDownstream = new QLabel("Downstream", this);
  lblUpstream->setBuddy(memUS);
  lblDownstream->setBuddy(memDS);
  memUS->setFocus();
}

void TRawWindow::PlaceMemos(QWidget *AGrid, bool ASideBySide) {
  auto *grid = new QGridLayout(AGrid);
  grid->setContentsMargins(8, 8, 8, 0);
  const int downRow = ASideBySide ? 0 : 2;
  const int downColumn = ASideBySide ? 1 : 0;
  grid->addWidget(lblUpstream, 0, 0);
  grid->addWidget(memUS, 1, 0);
  grid->addWidget(lblDownstream, downRow, downColumn);
  grid->addWidget(memDS, downRow + 1, downColumn);
  grid->setRowStretch(1, 1);
  grid->setRowStretch(downRow + 1, 1);
  grid->setColumnStretch(0, 1);
  grid->setColumnStretch(downColumn, 1);

  auto *outer = new QVBoxLayout(this);
  outer->setContentsMargins(0, 0, 0, 0);
  outer->setSpacing(0);
  outer->addWidget(AGrid, 1);
  outer->addWidget(CreateBottomStrip());
}

QWidget *TRawWindow::CreateBottomStrip() {
  pnlBottom = new QWidget(this);
  pnlBottom->setObjectName("pnlBottom");
  pnlBottom->setFixedHeight(44);
  btnClose = new QPushButton("Close", pnlBottom);
  btnClose->setObjectName("btnClose");
  btnClose->setFixedSize(75, 25);
  auto *strip = new QHBoxLayout(pnlBottom);
  strip->setContentsMargins(8, 0, 8, 0);
  strip->addStretch(1);
  strip->addWidget(btnClose);
  connect(btnClose, &QPushButton::clicked, this, [this] { btnCloseClick(); });
  return pnlBottom;
}

void TRawWindow::LoadFrom(const TDrayData *AData, TRawKind AKind) {
  if (AData == nullptr) {
    memUS->clear();
    memDS->clear();
    return;
  }
  const TRawTextCopy copy = CopyRawText(*AData, AKind);
  memUS->setPlainText(TextOfLines(copy.US));
  memDS->setPlainText(TextOfLines(copy.DS));
}

void TRawWindow::PlaceCascaded() {
  QWidget *owner = parentWidget();
  if (!owner)
    return;
  int open = 0;
  for (const TRawWindow *other : owner->findChildren<TRawWindow *>(Qt::FindDirectChildrenOnly))
    if (other != this && other->isVisible())
      ++open;
  const QScreen *screen = owner->screen();
  move(CascadePosition(owner->frameGeometry().topLeft(), open, size(),
                       screen ? screen->availableGeometry() : QRect()));
}

void TRawWindow::btnCloseClick() { close(); }
