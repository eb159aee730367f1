// The About box: its texts, the OK button as default and focus, Esc ignored,
// modal while open, and texts that fit their places.

#include <QApplication>
#include <QLabel>
#include <QPushButton>
#include <QRegularExpression>
#include <QTest>
#include <QTimer>

#include "ProgramIcon.h"
#include "Version.h"
#include "fmAbout.h"

class TAboutTest : public QObject {
  Q_OBJECT

private slots:
  void ShowsProductAndVersion();
  void OkIsDefaultAndFocusedWhenShown();
  void EscapeDoesNotCloseButEnterAndOkDo_data();
  void EscapeDoesNotCloseButEnterAndOkDo();
  void IsModalWhileOpenAndGoneAfterOk();
  void CloseBoxEndsIt();
  void TextsFitTheirPlaces();
  void SizeIsFixed();
  void IconHasSevenDrawnSizes();
};

void TAboutTest::ShowsProductAndVersion() {
  TfrmAbout about;
  QCOMPARE(about.windowTitle(), QString("About"));
  QCOMPARE(about.ProductName->text(), QString("Tonegraph"));
  QVERIFY(about.ProductName->font().bold());
  QCOMPARE(about.Version->text(), QString("Version ") + TonegraphVersion());
  QVERIFY(about.Comments->text().contains("GNU General Public License"));
  QVERIFY(about.Disclaimer->text().contains("WITHOUT ANY WARRANTY"));
  QVERIFY(about.Disclaimer->font().bold());
  QVERIFY(!about.ProgramIcon->pixmap().isNull());
}

void TAboutTest::OkIsDefaultAndFocusedWhenShown() {
  QWidget owner;
  owner.show();
  TfrmAbout about(&owner);
  about.show();
  QVERIFY(QTest::qWaitForWindowActive(&about));
  QCOMPARE(about.OKButton->text(), QString("OK"));
  QVERIFY(about.OKButton->isDefault());
  QCOMPARE(QApplication::focusWidget(), about.OKButton);
}

void TAboutTest::EscapeDoesNotCloseButEnterAndOkDo_data() {
  QTest::addColumn<int>("key");
  QTest::addColumn<bool>("closes");
  QTest::newRow("Esc") << int(Qt::Key_Escape) << false;
  QTest::newRow("Enter") << int(Qt::Key_Return) << true;
  QTest::newRow("keypad Enter") << int(Qt::Key_Enter) << true;
  QTest::newRow("Space on OK") << int(Qt::Key_Space) << true;
}

void TAboutTest::EscapeDoesNotCloseButEnterAndOkDo() {
  QFETCH(int, key);
  QFETCH(bool, closes);
  TfrmAbout about;
  about.show();
  QVERIFY(QTest::qWaitForWindowActive(&about));
  QTest::keyClick(QApplication::focusWidget(), Qt::Key(key));
  QCOMPARE(about.isVisible(), !closes);
  if (closes)
    QCOMPARE(about.result(), int(QDialog::Accepted));
}

void TAboutTest::IsModalWhileOpenAndGoneAfterOk() {
  QWidget owner;
  owner.show();
  auto *about = new TfrmAbout(&owner);
  QWidget *modalSeen = nullptr;
  QTimer::singleShot(0, about, [&] {
    modalSeen = QApplication::activeModalWidget();
    QTest::mouseClick(about->OKButton, Qt::LeftButton);
  });
  const int result = about->exec();
  QCOMPARE(modalSeen, static_cast<QWidget *>(about));
  QCOMPARE(result, int(QDialog::Accepted));
  delete about;
  QCOMPARE(QApplication::activeModalWidget(), static_cast<QWidget *>(nullptr));
  QVERIFY(owner.isEnabled());
}

void TAboutTest::CloseBoxEndsIt() {
  TfrmAbout about;
  about.show();
  QVERIFY(QTest::qWaitForWindowExposed(&about));
  QVERIFY(about.close());
  QVERIFY(!about.isVisible());
}

// Whatever font the desktop substitutes, no notice may be cut off.
void TAboutTest::TextsFitTheirPlaces() {
  TfrmAbout about;
  for (QLabel *label : {about.ProductName, about.Version, about.Copyright, about.Comments, about.Disclaimer}) {
    const int needed = label->wordWrap() ? label->heightForWidth(label->width()) : label->sizeHint().height();
    QVERIFY2(needed <= label->height(), qPrintable(label->objectName()));
    if (!label->wordWrap())
      QVERIFY2(label->sizeHint().width() <= label->width(), qPrintable(label->objectName()));
    QVERIFY2(about.pnlAbout->contentsRect().contains(label->geometry()), qPrintable(label->objectName()));
  }
}

void TAboutTest::SizeIsFixed() {
  TfrmAbout about;
  QCOMPARE(about.minimumSize(), about.maximumSize());
  QCOMPARE(about.size(), QSize(363, 312));
}

void TAboutTest::IconHasSevenDrawnSizes() {
  const QList<QSize> sizes = TonegraphIcon().availableSizes();
  QCOMPARE(sizes.size(), 7);
  const QImage image = TonegraphIconPixmap(32).toImage();
  QCOMPARE(image.pixelColor(0, 0).alpha(), 0);   // rounded corner left clear
  QVERIFY(image.pixelColor(16, 26).alpha() > 0);  // drawn in the middle
}

QTEST_MAIN(TAboutTest)
#include "tst_about.moc"
