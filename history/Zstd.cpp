#include "Zstd.h"

#include <memory>

#include <zstd.h>

namespace {

// Level 16, the first of the optimal parsers: a snapshot made against its
// base (a drifting 35B line with bins) comes out about a quarter smaller than
// at level 9, for a little more time per capture; captures come seconds apart.
constexpr int Level = 16;

struct TFreeCCtx {
  void operator()(ZSTD_CCtx *AContext) const { ZSTD_freeCCtx(AContext); }
};
struct TFreeDCtx {
  void operator()(ZSTD_DCtx *AContext) const { ZSTD_freeDCtx(AContext); }
};

// One context per thread, kept: making one costs more than a small frame.
ZSTD_CCtx *CompressContext() {
  thread_local std::unique_ptr<ZSTD_CCtx, TFreeCCtx> Context(ZSTD_createCCtx());
  ZSTD_CCtx_reset(Context.get(), ZSTD_reset_session_and_parameters);
  return Context.get();
}

ZSTD_DCtx *DecompressContext() {
  thread_local std::unique_ptr<ZSTD_DCtx, TFreeDCtx> Context(ZSTD_createDCtx());
  ZSTD_DCtx_reset(Context.get(), ZSTD_reset_session_and_parameters);
  return Context.get();
}

}  // namespace

std::string ZstdCompress(std::string_view AData, std::string_view APrefix) {
  ZSTD_CCtx *Context = CompressContext();
  ZSTD_CCtx_setParameter(Context, ZSTD_c_compressionLevel, Level);
  ZSTD_CCtx_setParameter(Context, ZSTD_c_checksumFlag, 1);
  if (!APrefix.empty())
    ZSTD_CCtx_refPrefix(Context, APrefix.data(), APrefix.size());
  std::string Frame(ZSTD_compressBound(AData.size()), '\0');
  const std::size_t Size = ZSTD_compress2(Context, Frame.data(), Frame.size(), AData.data(), AData.size());
  // Only a too-small buffer fails here, and the bound rules that out.
  Frame.resize(ZSTD_isError(Size) ? 0 : Size);
  return Frame;
}

std::optional<std::string> ZstdDecompress(std::string_view AFrame, std::size_t ALimit, std::string_view APrefix) {
  const unsigned long long Declared = ZSTD_getFrameContentSize(AFrame.data(), AFrame.size());
  if (Declared == ZSTD_CONTENTSIZE_UNKNOWN || Declared == ZSTD_CONTENTSIZE_ERROR || Declared > ALimit)
    return std::nullopt;
  const auto Expected = static_cast<std::size_t>(Declared);
  ZSTD_DCtx *Context = DecompressContext();
  if (!APrefix.empty())
    ZSTD_DCtx_refPrefix(Context, APrefix.data(), APrefix.size());
  std::string Data(Expected, '\0');
  const std::size_t Size = ZSTD_decompressDCtx(Context, Data.data(), Data.size(), AFrame.data(), AFrame.size());
  if (ZSTD_isError(Size) || Size != Expected)
    return std::nullopt;
  return Data;
}
