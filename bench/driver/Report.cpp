// The benchmark's report.
#include "driver/Report.h"

#include <cstdio>

namespace bench {

std::string Table::Markdown() const {
  const auto line = [](const std::vector<std::string>& cells) {
    std::string text = "|";
    for (const auto& cell : cells) text += " " + cell + " |";
    return text + "\n";
  };
  std::string text = line(header_);
  text += "|";
  for (std::size_t i = 0; i < header_.size(); ++i) text += i == 0 ? " --- |" : " ---: |";
  text += "\n";
  for (const auto& row : rows_) text += line(row);
  return text;
}

std::string Fixed(double value, int decimals) {
  char text[64];
  std::snprintf(text, sizeof text, "%.*f", decimals, value);
  return text;
}

std::string Ratio(double value, double base) {
  if (base == 0) return "n/a";
  return Fixed(value / base, 2) + "x";
}

std::string Bytes(double bytes) {
  if (bytes >= 1024.0 * 1024.0) return Fixed(bytes / (1024.0 * 1024.0), 2) + " MiB";
  return Fixed(bytes / 1024.0, 1) + " KiB";
}

}  // namespace bench
