#include "CapturedFiles.h"

#include "CodePage.h"
#include "DrayData.h"
#include "InputFile.h"

TTextLines ReadCapturedText(const std::string &AFileName) {
  TInputFile File(AFileName);
  return SplitText(DecodeTextFileBytes(File.ReadAll()));
}

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

TParseCounts LoadCapturedFile(TDrayData &AData, TDrayKind AKind, const std::string &AFileName) {
  switch (AKind) {
  case TDrayKind::HLog:
    return AData.LoadHLogFromFile(AFileName);
  case TDrayKind::QLN:
    return AData.LoadQLNFromFile(AFileName);
  case TDrayKind::SNR:
    return AData.LoadSNRFromFile(AFileName);
  case TDrayKind::Bins:
    return AData.LoadBinsFromFile(AFileName);
  }
  return {};
}

std::optional<TEmptyCapture> LoadCaptureNotingEmpty(TDrayData &AData, TDrayKind AKind, const std::string &AFileName) {
  if (LoadCapturedFile(AData, AKind, AFileName).LinesTaken == 0 && !AFileName.empty())
    return TEmptyCapture{AKind, AFileName};
  return std::nullopt;
}

const std::string &CapturedFileOf(const TCapturedFiles &AFiles, TDrayKind AKind) {
  switch (AKind) {
  case TDrayKind::HLog:
    return AFiles.HLog;
  case TDrayKind::QLN:
    return AFiles.QLN;
  case TDrayKind::SNR:
    return AFiles.SNR;
  case TDrayKind::Bins:
    break;
  }
  return AFiles.Bins;
}

std::vector<TEmptyCapture> LoadCapturedFiles(TDrayData &AData, const TCapturedFiles &AFiles) {
  std::vector<TEmptyCapture> Empty;
  for (const TDrayKind Kind : DrayKinds)
    if (std::optional<TEmptyCapture> Capture = LoadCaptureNotingEmpty(AData, Kind, CapturedFileOf(AFiles, Kind)))
      Empty.push_back(std::move(*Capture));
  return Empty;
}
