// A rectangle of the screen as pixels.
#include "harness/ScreenImage.h"

#include <fstream>

namespace e2e {

namespace {

// The GDI objects of one capture, each released once, in reverse order of creation.
class ScreenDc {
 public:
  ScreenDc() : dc_(GetDC(nullptr)) {}
  ScreenDc(const ScreenDc&) = delete;
  ScreenDc& operator=(const ScreenDc&) = delete;
  ~ScreenDc() { ReleaseDC(nullptr, dc_); }
  HDC Get() const { return dc_; }

 private:
  HDC dc_;
};

class MemoryDc {
 public:
  explicit MemoryDc(HDC like) : dc_(CreateCompatibleDC(like)) {}
  MemoryDc(const MemoryDc&) = delete;
  MemoryDc& operator=(const MemoryDc&) = delete;
  ~MemoryDc() { DeleteDC(dc_); }
  HDC Get() const { return dc_; }

 private:
  HDC dc_;
};

class Bitmap {
 public:
  Bitmap(HDC like, int width, int height) : bitmap_(CreateCompatibleBitmap(like, width, height)) {}
  Bitmap(const Bitmap&) = delete;
  Bitmap& operator=(const Bitmap&) = delete;
  ~Bitmap() { DeleteObject(bitmap_); }
  HBITMAP Get() const { return bitmap_; }

 private:
  HBITMAP bitmap_;
};

// Selects an object into a DC and puts the old one back, so the object can be deleted.
class Selection {
 public:
  Selection(HDC dc, HGDIOBJ object) : dc_(dc), old_(SelectObject(dc, object)) {}
  Selection(const Selection&) = delete;
  Selection& operator=(const Selection&) = delete;
  ~Selection() { SelectObject(dc_, old_); }

 private:
  HDC dc_;
  HGDIOBJ old_;
};

BITMAPINFOHEADER TopDownHeader(int width, int height, WORD bitCount) {
  BITMAPINFOHEADER header{};
  header.biSize = sizeof header;
  header.biWidth = width;
  header.biHeight = -height;
  header.biPlanes = 1;
  header.biBitCount = bitCount;
  header.biCompression = BI_RGB;
  return header;
}

}  // namespace

ScreenImage ScreenImage::Capture(const RECT& screenRect) {
  ScreenImage image;
  image.width_ = screenRect.right - screenRect.left;
  image.height_ = screenRect.bottom - screenRect.top;
  if (image.width_ <= 0 || image.height_ <= 0) return image;

  ScreenDc screen;
  MemoryDc memory(screen.Get());
  Bitmap bitmap(screen.Get(), image.width_, image.height_);
  std::vector<RGBQUAD> quads(static_cast<std::size_t>(image.width_) *
                             static_cast<std::size_t>(image.height_));
  {
    Selection selected(memory.Get(), bitmap.Get());
    BitBlt(memory.Get(), 0, 0, image.width_, image.height_, screen.Get(), screenRect.left,
           screenRect.top, SRCCOPY);
  }
  BITMAPINFO info{};
  info.bmiHeader = TopDownHeader(image.width_, image.height_, 32);
  GetDIBits(memory.Get(), bitmap.Get(), 0, static_cast<UINT>(image.height_), quads.data(), &info,
            DIB_RGB_COLORS);
  image.pixels_.reserve(quads.size());
  for (const RGBQUAD& quad : quads) {
    image.pixels_.push_back(RGB(quad.rgbRed, quad.rgbGreen, quad.rgbBlue));
  }
  return image;
}

bool ScreenImage::SaveBmp(const std::filesystem::path& file) const {
  // Rows of 3 bytes a pixel, padded to 4 bytes, top row first.
  const std::size_t rowSize = (static_cast<std::size_t>(width_) * 3 + 3) & ~std::size_t{3};
  std::vector<char> rows(rowSize * static_cast<std::size_t>(height_), 0);
  for (int y = 0; y < height_; ++y) {
    for (int x = 0; x < width_; ++x) {
      const COLORREF pixel = pixels_[static_cast<std::size_t>(y * width_ + x)];
      char* out = &rows[static_cast<std::size_t>(y) * rowSize + static_cast<std::size_t>(x) * 3];
      out[0] = static_cast<char>(GetBValue(pixel));
      out[1] = static_cast<char>(GetGValue(pixel));
      out[2] = static_cast<char>(GetRValue(pixel));
    }
  }
  const BITMAPINFOHEADER header = TopDownHeader(width_, height_, 24);
  BITMAPFILEHEADER fileHeader{};
  fileHeader.bfType = 0x4D42;  // "BM"
  fileHeader.bfOffBits = sizeof fileHeader + sizeof header;
  fileHeader.bfSize = static_cast<DWORD>(fileHeader.bfOffBits + rows.size());

  std::ofstream out(file, std::ios::binary);
  out.write(reinterpret_cast<const char*>(&fileHeader), sizeof fileHeader);
  out.write(reinterpret_cast<const char*>(&header), sizeof header);
  out.write(rows.data(), static_cast<std::streamsize>(rows.size()));
  return static_cast<bool>(out);
}

}  // namespace e2e
