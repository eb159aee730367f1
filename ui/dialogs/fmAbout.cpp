#include "fmAbout.h"

#include <QFrame>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QScreen>

#include "ProgramIcon.h"
#include "Version.h"

namespace {

const char *const RightsText = "Copyright \u00A9 2026 the Tonegraph developers";
const char *const UsageText =
    "Free software, licensed under the GNU General Public License, version 3 "
    "or any later version.";
const char *const DisclaimerText =
    "This program is distributed WITHOUT ANY WARRANTY; without even the "
    "implied warranty of MERCHANTABILITY or FITNESS FOR A PARTICULAR PURPOSE.";

QLabel *NewLabel(QWidget *AParent, const QString &AText, const QRect &AGeometry, bool AWrap) {
  auto *label = new QLabel(AText, AParent);
  label->setWordWrap(AWrap);
  label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
  label->setGeometry(AGeometry);
  return label;
}

} // namespace

TfrmAbout::TfrmAbout(QWidget *AOwner)
    : QDialog(AOwner, Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint |
                          Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint) {
  setObjectName("frmAbout");
  setWindowTitle("About");
  setWindowIcon(TonegraphIcon());
  setFont(QFont("Segoe UI", 8));
  setFixedSize(363, 312);
  setModal(true);
  CreatePanel();
  CreateTexts();
  CreateButton();
}

void TfrmAbout::CreatePanel() {
  pnlAbout = new QFrame(this);
  pnlAbout->setObjectName("pnlAbout");
  // A sunken box draws the lowered outer and raised inner bevel of an etched frame.
  pnlAbout->setFrameStyle(QFrame::Box | QFrame::Sunken);
  pnlAbout->setGeometry(8, 8, 340, 241);

  ProgramIcon = new QLabel(pnlAbout);
  ProgramIcon->setObjectName("ProgramIcon");
  ProgramIcon->setGeometry(28, 16, 32, 32);
  ProgramIcon->setAlignment(Qt::AlignCenter);
  ProgramIcon->setPixmap(TonegraphIconPixmap(32, ProgramIcon->devicePixelRatioF()));
}

void TfrmAbout::CreateTexts() {
  ProductName = NewLabel(pnlAbout, "Tonegraph", QRect(88, 16, 172, 20), true);
  ProductName->setObjectName("ProductName");
  QFont bold("MS Sans Serif", 8);
  bold.setBold(true);
  ProductName->setFont(bold);

  Version = NewLabel(pnlAbout, QStringLiteral("Version ") + QString::fromLatin1(TonegraphVersion()), QRect(88, 48, 172, 16), false);
  Version->setObjectName("Version");
  Copyright = NewLabel(pnlAbout, QString::fromUtf8(RightsText), QRect(8, 85, 321, 16), false);
  Copyright->setObjectName("Copyright");
  Comments = NewLabel(pnlAbout, UsageText, QRect(8, 109, 287, 32), true);
  Comments->setObjectName("Comments");
  Disclaimer = NewLabel(pnlAbout, DisclaimerText, QRect(8, 147, 320, 52), true);
  Disclaimer->setObjectName("Disclaimer");
  QFont disclaimerFont = Disclaimer->font();
  disclaimerFont.setBold(true);
  Disclaimer->setFont(disclaimerFont);
}

void TfrmAbout::CreateButton() {
  OKButton = new QPushButton("OK", this);
  OKButton->setObjectName("OKButton");
  OKButton->setGeometry(135, 265, 75, 25);
  OKButton->setDefault(true);
  OKButton->setFocus();
  connect(OKButton, &QPushButton::clicked, this, &QDialog::accept);
}

void TfrmAbout::keyPressEvent(QKeyEvent *AEvent) {
  // The box has no cancel button, so Esc does not end it.
  if (AEvent->key() == Qt::Key_Escape && AEvent->modifiers() == Qt::NoModifier) {
    AEvent->accept();
    return;
  }
  QDialog::keyPressEvent(AEvent);
}

void TfrmAbout::showEvent(QShowEvent *AEvent) {
  QDialog::showEvent(AEvent);
  CentreOnScreen();
  OKButton->setFocus();
}

void TfrmAbout::CentreOnScreen() {
  QScreen *screen = parentWidget() ? parentWidget()->screen() : QGuiApplication::primaryScreen();
  if (screen == nullptr)
    return;
  QRect frame = frameGeometry();
  frame.moveCenter(screen->availableGeometry().center());
  move(frame.topLeft());
}
