#include "CapturedFiles.h"

#include "DrayData.h"

const char *DrayKindName(TDrayKind AKind) {
  switch (AKind) {
  case TDrayKind::HLog:
    return "HLOG";
  case TDrayKind::QLN:
    return "QLN";
  case TDrayKind::SNR:
    return "SNR";
  case TDrayKind::Bins:
    return "bins";
  }
  return "";
}

std::string NoValuesNote(std::string_view AFileName, TDrayKind AKind) {
  return std::string(AFileName) + ": no " + DrayKindName(AKind) + " values found";
}

std::vector<TEmptyCapture> LoadCapturedFiles(TDrayData &AData, const TCapturedFiles &AFiles) {
  std::vector<TEmptyCapture> Empty;
  const auto Note = [&Empty](TDrayKind AKind, const std::string &AName, const TParseCounts &ACounts) {
    if (!AName.empty() && ACounts.LinesTaken == 0)
      Empty.push_back({AKind, AName});
  };
  Note(TDrayKind::HLog, AFiles.HLog, AData.LoadHLogFromFile(AFiles.HLog));
  Note(TDrayKind::QLN, AFiles.QLN, AData.LoadQLNFromFile(AFiles.QLN));
  Note(TDrayKind::SNR, AFiles.SNR, AData.LoadSNRFromFile(AFiles.SNR));
  Note(TDrayKind::Bins, AFiles.Bins, AData.LoadBinsFromFile(AFiles.Bins));
  return Empty;
}
