// The benchmark's report: Markdown tables of figures and ratios.
#pragma once

#include <string>
#include <vector>

namespace bench {

class Table {
 public:
  explicit Table(std::vector<std::string> header) : header_(std::move(header)) {}
  void Add(std::vector<std::string> row) { rows_.push_back(std::move(row)); }
  std::string Markdown() const;

 private:
  std::vector<std::string> header_;
  std::vector<std::vector<std::string>> rows_;
};

// "12.3" with `decimals` places.
std::string Fixed(double value, int decimals = 1);
// "0.93x"; "n/a" when the base is 0.
std::string Ratio(double value, double base);
// "1.2 MiB".
std::string Bytes(double bytes);

}  // namespace bench
