#include "MessageBoxErrorDisplay.h"

#include <QApplication>
#include <QMessageBox>

void TMessageBoxErrorDisplay::ShowErrorMessage(const std::string &AText) {
  QMessageBox box(QMessageBox::Critical, QStringLiteral("Error"), QString::fromStdString(AText),
                  QMessageBox::Close, FParent);
  box.exec();
}

void TMessageBoxErrorDisplay::ShowErrorReport(const std::string &AText) {
  QMessageBox box(QMessageBox::Critical, QApplication::applicationDisplayName(), QString::fromStdString(AText),
                  QMessageBox::Ok, FParent);
  box.exec();
}
