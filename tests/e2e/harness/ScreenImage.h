// A rectangle of the screen as pixels: for judging what a window shows and for saving
// screenshots of it.
#pragma once

#include <windows.h>

#include <filesystem>
#include <vector>

namespace e2e {

class ScreenImage {
 public:
  static ScreenImage Capture(const RECT& screenRect);

  int Width() const { return width_; }
  int Height() const { return height_; }
  // Row by row from the top, as COLORREF values.
  const std::vector<COLORREF>& Pixels() const { return pixels_; }

  // Writes a 24-bit BMP; false when the file cannot be written.
  bool SaveBmp(const std::filesystem::path& file) const;

 private:
  int width_ = 0;
  int height_ = 0;
  std::vector<COLORREF> pixels_;
};

}  // namespace e2e
