// tonegraph-cli export: a snapshot file as CSV or JSON, or one of its charts
// as a PNG, SVG or PDF picture.
#include <cstdio>
#include <memory>
#include <string>

#include "ChartImage.h"
#include "Commands.h"
#include "DrayData.h"
#include "NumberText.h"
#include "ReplacingFile.h"
#include "SnapshotCsv.h"
#include "SnapshotJson.h"

namespace {

struct TExportOptions {
  std::string Filename;
  std::string Format;
  std::string Chart = "hlog";
  std::string Size = "1200x700";
  std::string Output;
  bool NoBands = false;
  bool MHz = false;
};

struct TPixelSize {
  int Width = 0, Height = 0;
};

constexpr int MaxSide = 16384;

// "WxH" with both sides 1 .. MaxSide.
bool ParseSize(const std::string &AText, TPixelSize &ASize) {
  const std::size_t Cross = AText.find('x');
  if (Cross == std::string::npos)
    return false;
  const std::optional<long long> Width = WholeNumberOfText(std::string_view(AText).substr(0, Cross), 1, MaxSide);
  const std::optional<long long> Height = WholeNumberOfText(std::string_view(AText).substr(Cross + 1), 1, MaxSide);
  if (!Width || !Height)
    return false;
  ASize = {static_cast<int>(*Width), static_cast<int>(*Height)};
  return true;
}

std::string SizeCheck(const std::string &AText) {
  TPixelSize Size;
  return ParseSize(AText, Size) ? "" : "the size is WIDTHxHEIGHT in pixels, each 1 to " + std::to_string(MaxSide);
}

bool IsText(const std::string &AFormat) { return AFormat == "csv" || AFormat == "json"; }

int WriteText(const std::string &AText, const std::string &AOutput) {
  if (AOutput.empty()) {
    std::fwrite(AText.data(), 1, AText.size(), stdout);
    return std::fflush(stdout) == 0 ? 0 : 1;
  }
  About(AOutput, [&] { ReplaceFileWith(AOutput, AText); });
  return 0;
}

int Export(const TExportOptions &AOptions) {
  if (!IsText(AOptions.Format) && AOptions.Output.empty())
    throw CLI::ValidationError("--output", "a " + AOptions.Format + " picture needs -o OUT");
  TDrayData Data;
  About(AOptions.Filename, [&] { Data.LoadFromFile(AOptions.Filename); });
  if (AOptions.Format == "csv")
    return WriteText(SnapshotCsv(Data), AOptions.Output);
  if (AOptions.Format == "json")
    return WriteText(SnapshotJson(Data) + "\n", AOptions.Output);
  TPixelSize Size;
  ParseSize(AOptions.Size, Size);
  About(AOptions.Output,
        [&] { WriteChartImage(Data, AOptions.Chart, AOptions.Format, Size.Width, Size.Height, !AOptions.NoBands,
                                AOptions.MHz, AOptions.Output); });
  return 0;
}

} // namespace

TCommandRun AddExportCommand(CLI::App &AProgram) {
  auto Options = std::make_shared<TExportOptions>();
  CLI::App *Command = AProgram.add_subcommand(
      "export", "Writes a snapshot file as CSV (one row per tone) or JSON, or one of its charts as a PNG, SVG or "
                "PDF picture.");
  Command->add_option("FILE", Options->Filename, "the snapshot file")->type_name("")->required();
  Command->add_option("--format", Options->Format, "csv, json, png, svg or pdf")
      ->required()
      ->check(CLI::IsMember({"csv", "json", "png", "svg", "pdf"}));
  Command->add_option("--chart", Options->Chart, "the chart a picture shows (default hlog)")
      ->check(CLI::IsMember({"hlog", "qln", "snr", "bits", "gain", "binsnr"}));
  Command->add_option("--size", Options->Size, "a picture's size in pixels, WIDTHxHEIGHT (default 1200x700)")
      ->check(CLI::Validator(SizeCheck, "WxH"));
  Command->add_flag("--no-bands", Options->NoBands, "a picture without the profile's bands shaded");
  Command->add_flag("--mhz", Options->MHz, "a picture's tone axis in MHz");
  Command->add_option("-o,--output", Options->Output, "the file to write; CSV and JSON go to the output without it");
  return [Options] { return Export(*Options); };
}
