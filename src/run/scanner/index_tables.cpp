#include "run/scanner/index_tables.h"

#include <algorithm>
#include <cmath>
#include <string>

#include "lib/text/trim_pad.h"

namespace zur::scanner {
namespace {

double Number(const dbf::Table& table, std::string_view field) {
  Value v = table.Get(field);
  return v.IsNum() && std::isfinite(v.num()) ? v.num() : 0;
}

std::string Text(const dbf::Table& table, std::string_view field) {
  Value v = table.Get(field);
  return v.IsChar() ? std::string(text::RTrim(v.str())) : std::string();
}

}  // namespace

std::vector<dbf::FieldSpec> PageIndexFields() {
  return {{"RNAME", 'C', static_cast<int>(kReportNameWidth), 0},
          {"RPAGE", 'N', 5, 0},
          {"ROFFSET", 'N', 10, 0},
          {"RDATE", 'C', static_cast<int>(kRunDateWidth), 0},
          {"RTIME", 'C', static_cast<int>(kRunTimeWidth), 0},
          {"REPAGE", 'N', 5, 0}};
}

std::vector<dbf::FieldSpec> ReportIndexFields() {
  return {{"RNAME", 'C', static_cast<int>(kReportNameWidth), 0},
          {"RPAGE", 'N', 5, 0},
          {"RDATE", 'C', static_cast<int>(kRunDateWidth), 0},
          {"RTIME", 'C', static_cast<int>(kReportTimeWidth), 0},
          {"ROFFSET", 'N', 10, 0},
          {"PFROM", 'N', 5, 0},
          {"PTO", 'N', 5, 0},
          {"REPAGE", 'N', 5, 0},
          {"RNOPAGE", 'N', 5, 0}};
}

void WritePageIndex(dbf::Table& info, std::span<const PageRow> pages) {
  for (const PageRow& page : pages) {
    info.Append();
    info.Replace("RNAME", Value(page.name));
    info.Replace("RPAGE", Value(page.page));
    info.Replace("ROFFSET", Value(static_cast<double>(page.offset)));
    info.Replace("RDATE", Value(page.date));
    info.Replace("RTIME", Value(page.time));
  }
}

void WriteReportIndex(dbf::Table& optn, std::span<const ReportRow> reports) {
  for (const ReportRow& report : reports) {
    optn.Append();
    optn.Replace("RNAME", Value(report.name));
    optn.Replace("REPAGE", Value(report.last_page));
    optn.Replace("RDATE", Value(report.date));
    optn.Replace("RTIME", Value(report.time));
    optn.Replace("PFROM", Value(0));
    optn.Replace("PTO", Value(0));
  }
}

std::vector<PageRow> ReadPageIndex(dbf::Table& info) {
  constexpr double kFarOffset = 4.0e18;  // past the end of any file
  std::vector<PageRow> pages;
  const uint32_t count = info.RecCount();
  for (uint32_t recno = 1; recno <= count; ++recno) {
    info.GoTo(recno);
    if (info.Eof()) break;
    if (info.Deleted()) continue;
    PageRow page;
    page.name = Text(info, "RNAME");
    double number = Number(info, "RPAGE");
    page.page = static_cast<int>(std::clamp(std::round(number), -1e9, 1e9));
    double offset = Number(info, "ROFFSET");
    page.offset = static_cast<uint64_t>(std::clamp(std::round(offset), 0.0, kFarOffset));
    page.date = Text(info, "RDATE");
    page.time = Text(info, "RTIME");
    pages.push_back(std::move(page));
  }
  return pages;
}

}  // namespace zur::scanner
