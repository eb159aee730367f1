#pragma once
// Builds a snapshot from router answers the user captured in text files: up to
// four files (HLog, QLN, SNR, bins) and the profile to assume, since such
// files carry no status text to identify it from.

#include <memory>
#include <vector>

#include <QDialog>

#include "CapturedFiles.h"

class QComboBox;
class QFileDialog;
class QLineEdit;
class QPushButton;
class TDrayData;

class TfrmLoadDataFromFiles : public QDialog {
  Q_OBJECT
public:
  explicit TfrmLoadDataFromFiles(QWidget *AOwner = nullptr);

  QComboBox *cbxProfiles = nullptr;
  QLineEdit *edHlogFile = nullptr;
  QLineEdit *edQLNFile = nullptr;
  QLineEdit *edSNRFile = nullptr;
  QLineEdit *edBINFile = nullptr;
  QPushButton *btnSelectHLogFile = nullptr;
  QPushButton *btnSelectQLNFile = nullptr;
  QPushButton *btnSelectSNRFile = nullptr;
  QPushButton *btnSlectBINFile = nullptr;
  QPushButton *btnOK = nullptr;
  QPushButton *btnCancel = nullptr;

  // File types of the open dialog, numbered from 1.
  enum TFileType { ftText = 1, ftHLog, ftQLN, ftSNR, ftBins, ftAny };
  static QStringList FileTypeFilters();
  // The open dialog that "Select..." runs, with AFileTypeIndex preselected.
  std::unique_ptr<QFileDialog> CreateOpenDialog(int AFileTypeIndex);

  // Runs the open dialog; a chosen file's full path replaces AEdit's text.
  void SelectFile(QLineEdit *AEdit, int AFileTypeIndex);

  // A new snapshot "Loaded from file" from the chosen profile and files; the
  // caller owns it. A loader's failure passes on and no snapshot is made.
  // AEmpty, when given, receives the files that gave no values of their kind.
  std::unique_ptr<TDrayData> GetDrayData(std::vector<TEmptyCapture> *AEmpty = nullptr) const;

private:
  void CreateRows();
  void CreateButtons();
  QLineEdit *AddFileRow(int ARow, const char *ACaption, const char *AEditName, QPushButton *&AButton,
                        const char *AButtonName, int AFileType);
};
