#pragma once
// Expected report pages written out by row and column, and the pages a run printed.

#include <map>
#include <string>
#include <vector>

#include "run/reports/report_data.h"

namespace zur::reports::testing {

class ExpectedPage {
 public:
  ExpectedPage& At(int row, int col, const std::string& text) {
    std::string& line = rows_[row];
    if (line.size() < static_cast<size_t>(col) + text.size()) line.resize(col + text.size(), ' ');
    line.replace(col, text.size(), text);
    return *this;
  }
  std::string Text() const {
    std::string out;
    const int last = rows_.empty() ? 0 : rows_.rbegin()->first;
    for (int r = 0; r <= last; ++r) {
      if (r > 0) out += "\r\n";
      if (auto it = rows_.find(r); it != rows_.end()) out += it->second;
    }
    return out;
  }

 private:
  std::map<int, std::string> rows_;
};

// The printed text cut at each page end; the text after the last page end is dropped.
inline std::vector<std::string> Pages(const std::string& printed) {
  std::vector<std::string> pages;
  size_t start = 0;
  for (size_t ff; (ff = printed.find('\f', start)) != std::string::npos; start = ff + 1)
    pages.push_back(printed.substr(start, ff - start));
  return pages;
}

inline ReportContext SampleContext() {
  ReportContext c;
  c.co_name = "TALVERO SECURITIES LTD   ";
  c.system = "CCASS ZUR Talvero (Ver 7.00g)";
  c.tran_date_dmyy = "08 Dec 2026";
  c.setl_date_dmyy = "10 Dec 2026";
  c.gen_date_dmyy = "09 Dec 2026";
  c.tran_date_text = "08/12/26";
  c.ntran_date_text = "09/12/26";
  c.setl_date_text = "10/12/26";
  c.gen_date_text = "09/12/26";
  c.today_text = "08/12/26";
  c.cas_date = "08DEC26";
  c.cas_time = "18:30";
  c.time_of_day = "19:05:07";
  return c;
}

// Rows 1 to 5 of the page heading at `width` columns.
inline void Heading(ExpectedPage& p, const ReportContext& c, int width, const std::string& title,
                    int page, const std::string& gen_date) {
  const std::string co = "TALVERO SECURITIES LTD";
  p.At(1, 0, " ").At(1, (width - static_cast<int>(co.size())) / 2, co);
  p.At(2, 0, "Tran Date: ").At(2, 11, c.tran_date_dmyy);
  p.At(2, (width - static_cast<int>(c.system.size())) / 2, c.system);
  p.At(2, width - 15, "Time: 19:05:07");
  p.At(3, 0, "Setl Date: ").At(3, 11, c.setl_date_dmyy);
  p.At(3, (width - static_cast<int>(title.size())) / 2, title);
  p.At(3, width - 15, "Page: " + std::string(page < 10 ? "  " : " ") + std::to_string(page));
  p.At(5, 0,
       "CCASS STOCK REPORT run on 08DEC26 18:30     TRANSMISSION DATE (to be uploaded on) " +
           gen_date);
}

}  // namespace zur::reports::testing
