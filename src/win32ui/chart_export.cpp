#include "win32ui/chart_export.h"

#include <objidl.h>

#include <vector>

namespace win32ui {

namespace {

std::optional<CLSID> EncoderFor(const wchar_t* mime) {
  UINT count = 0;
  UINT bytes = 0;
  if (Gdiplus::GetImageEncodersSize(&count, &bytes) != Gdiplus::Ok || bytes == 0) {
    return std::nullopt;
  }
  std::vector<unsigned char> buffer(bytes);
  auto* codecs = reinterpret_cast<Gdiplus::ImageCodecInfo*>(buffer.data());
  if (Gdiplus::GetImageEncoders(count, bytes, codecs) != Gdiplus::Ok) return std::nullopt;
  for (UINT i = 0; i < count; ++i) {
    if (wcscmp(codecs[i].MimeType, mime) == 0) return codecs[i].Clsid;
  }
  return std::nullopt;
}

}  // namespace

std::optional<std::string> EncodePng(Gdiplus::Bitmap& bitmap) {
  const std::optional<CLSID> png = EncoderFor(L"image/png");
  if (!png) return std::nullopt;
  IStream* stream = nullptr;
  if (FAILED(CreateStreamOnHGlobal(nullptr, TRUE, &stream)) || stream == nullptr) {
    return std::nullopt;
  }
  std::optional<std::string> out;
  if (bitmap.Save(stream, &*png, nullptr) == Gdiplus::Ok) {
    STATSTG stat{};
    HGLOBAL memory = nullptr;
    if (SUCCEEDED(stream->Stat(&stat, STATFLAG_NONAME)) &&
        SUCCEEDED(GetHGlobalFromStream(stream, &memory))) {
      const void* at = GlobalLock(memory);
      if (at != nullptr) {
        out.emplace(static_cast<const char*>(at), static_cast<std::size_t>(stat.cbSize.QuadPart));
        GlobalUnlock(memory);
      }
    }
  }
  stream->Release();
  return out;
}

HBITMAP ClipboardBitmap(Gdiplus::Bitmap& bitmap) {
  HBITMAP h = nullptr;
  // Pasted into a program that ignores alpha, the chart stands on white, not black.
  if (bitmap.GetHBITMAP(Gdiplus::Color(255, 255, 255, 255), &h) != Gdiplus::Ok) return nullptr;
  return h;
}

}  // namespace win32ui
