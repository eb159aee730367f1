#include "fmLoadDataFromFile.h"

#include <QComboBox>
#include <QFileDialog>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "DrayData.h"
#include "RecentFolders.h"
#include "ResourceStrings.h"

namespace {

const char *const ProfileItems[] = {"N/A", "8a", "8b", "8c", "8d", "12a", "12b", "17a", "30a", "35b"};

}  // namespace

TfrmLoadDataFromFiles::TfrmLoadDataFromFiles(QWidget *AOwner) : QDialog(AOwner) {
  setObjectName(QStringLiteral("frmLoadDataFromFiles"));
  setWindowTitle(QStringLiteral("Load data from files"));
  setWindowFlag(Qt::WindowContextHelpButtonHint, false);
  CreateRows();
  CreateButtons();
  setMinimumWidth(467);
  // A fixed dialog border: the size the layout asks for, not resizable.
  layout()->setSizeConstraint(QLayout::SetFixedSize);
}

QLineEdit *TfrmLoadDataFromFiles::AddFileRow(int ARow, const char *ACaption, const char *AEditName,
                                             QPushButton *&AButton, const char *AButtonName, int AFileType) {
  auto *grid = static_cast<QGridLayout *>(layout()->itemAt(0)->layout());
  auto *edit = new QLineEdit(this);
  edit->setObjectName(QString::fromLatin1(AEditName));
  edit->setMinimumWidth(305);
  auto *label = new QLabel(QString::fromLatin1(ACaption), this);
  label->setBuddy(edit);
  AButton = new QPushButton(QStringLiteral("Select..."), this);
  AButton->setObjectName(QString::fromLatin1(AButtonName));
  grid->addWidget(label, ARow, 0);
  grid->addWidget(edit, ARow, 1);
  grid->addWidget(AButton, ARow, 2);
  connect(AButton, &QPushButton::clicked, this, [this, edit, AFileType] { SelectFile(edit, AFileType); });
  return edit;
}

void TfrmLoadDataFromFiles::CreateRows() {
  auto *outer = new QVBoxLayout(this);
  auto *grid = new QGridLayout;
  outer->addLayout(grid);
  cbxProfiles = new QComboBox(this);
  cbxProfiles->setObjectName(QStringLiteral("cbxProfiles"));
  cbxProfiles->setFixedWidth(145);
  for (const char *item : ProfileItems)
    cbxProfiles->addItem(QString::fromLatin1(item));
  cbxProfiles->setCurrentIndex(0);
  auto *label = new QLabel(QStringLiteral("&Profile:"), this);
  label->setBuddy(cbxProfiles);
  grid->addWidget(label, 0, 0);
  grid->addWidget(cbxProfiles, 0, 1, Qt::AlignLeft);
  edHlogFile = AddFileRow(1, "&HLog file:", "edHlogFile", btnSelectHLogFile, "btnSelectHLogFile", ftHLog);
  edQLNFile = AddFileRow(2, "&QLN file:", "edQLNFile", btnSelectQLNFile, "btnSelectQLNFile", ftQLN);
  edSNRFile = AddFileRow(3, "&SNR file:", "edSNRFile", btnSelectSNRFile, "btnSelectSNRFile", ftSNR);
  edBINFile = AddFileRow(4, "&Bins file:", "edBINFile", btnSlectBINFile, "btnSlectBINFile", ftBins);
}

void TfrmLoadDataFromFiles::CreateButtons() {
  btnOK = new QPushButton(QStringLiteral("&OK"), this);
  btnOK->setObjectName(QStringLiteral("btnOK"));
  btnOK->setDefault(true);
  btnCancel = new QPushButton(QStringLiteral("Cancel"), this);
  btnCancel->setObjectName(QStringLiteral("btnCancel"));
  connect(btnOK, &QPushButton::clicked, this, &QDialog::accept);
  connect(btnCancel, &QPushButton::clicked, this, &QDialog::reject);
  auto *row = new QHBoxLayout;
  row->addStretch(1);
  row->addWidget(btnOK);
  row->addWidget(btnCancel);
  static_cast<QVBoxLayout *>(layout())->addLayout(row);
  QWidget *order[] = {cbxProfiles, edHlogFile, btnSelectHLogFile, edQLNFile, btnSelectQLNFile, edSNRFile,
                      btnSelectSNRFile, edBINFile, btnSlectBINFile, btnOK, btnCancel};
  for (std::size_t i = 0; i + 1 < std::size(order); ++i)
    setTabOrder(order[i], order[i + 1]);
}

QStringList TfrmLoadDataFromFiles::FileTypeFilters() {
  return {QStringLiteral("Text files (*.txt)"), QStringLiteral("HLog files (*.hlog)"),
          QStringLiteral("QLN files (*.qln)"),  QStringLiteral("SNR files (*.snr)"),
          QStringLiteral("Bins files (*.bins)"), QStringLiteral("Any file (*.*)"),
          // Captured answers often have no extension at all, which "*.*"
          // does not match here.
          QStringLiteral("All files (*)")};
}

std::unique_ptr<QFileDialog> TfrmLoadDataFromFiles::CreateOpenDialog(int AFileTypeIndex) {
  auto dialog = std::make_unique<QFileDialog>(this, QStringLiteral("Load file"));
  dialog->setObjectName(QStringLiteral("dlgOpen"));
  dialog->setAcceptMode(QFileDialog::AcceptOpen);
  dialog->setFileMode(QFileDialog::ExistingFile);
  const QStringList filters = FileTypeFilters();
  dialog->setNameFilters(filters);
  if (AFileTypeIndex >= 1 && AFileTypeIndex <= filters.size())
    dialog->selectNameFilter(filters[AFileTypeIndex - 1]);
  TRecentFolders::OpenIn(*dialog, TFileKind::CapturedText);
  return dialog;
}

void TfrmLoadDataFromFiles::SelectFile(QLineEdit *AEdit, int AFileTypeIndex) {
  std::unique_ptr<QFileDialog> dialog = CreateOpenDialog(AFileTypeIndex);
  if (dialog->exec() != QDialog::Accepted || dialog->selectedFiles().isEmpty())
    return;
  AEdit->setText(dialog->selectedFiles().constFirst());
  TRecentFolders::Remember(TFileKind::CapturedText, AEdit->text());
}

std::unique_ptr<TDrayData> TfrmLoadDataFromFiles::GetDrayData(std::vector<TEmptyCapture> *AEmpty) const {
  // The snapshot is freed by its owner if any loader fails.
  auto snapshot = std::make_unique<TDrayData>(rsLoadedFromFile);
  snapshot->SetVDSLProfile(ProfileFromOrdinal(cbxProfiles->currentIndex()));
  const TCapturedFiles files{edHlogFile->text().toStdString(), edQLNFile->text().toStdString(),
                             edSNRFile->text().toStdString(), edBINFile->text().toStdString()};
  std::vector<TEmptyCapture> empty = LoadCapturedFiles(*snapshot, files);
  if (AEmpty)
    *AEmpty = std::move(empty);
  return snapshot;
}
