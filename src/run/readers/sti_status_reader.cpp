#include "run/readers/sti_status_reader.h"

#include <array>
#include <optional>
#include <string>

#include "lib/text/numeric_text.h"
#include "run/readers/report_columns.h"
#include "run/scanner/report_lookup.h"

namespace zur::readers {
namespace {

// Lines of the column headings above the instructions.
constexpr std::array<std::string_view, 6> kHeadings = {
    "STI INP NO/         QUANTITY / MONEY VALUE / CCY /AFF REQ",
    "STI INP NO/         QUANTITY / MONEY VALUE / CCY / AFFIRMED DATE",
    "INPUT DATE      STOCK/ISIN             FROM A/C / TO A/C      PYMT INST                    "
    "AFF REQ / REMARKS",
    "----------  ---------------------  ------------------------ ------------  "
    "--------------------------------------------------",
    "DATE :",
    "===========",
};

bool IsHeading(std::string_view line) {
  for (std::string_view h : kHeadings)
    if (Contains(line, h)) return true;
  return false;
}

// An instruction is printed on two lines: stock, from-account and quantity on the first,
// the to-account on the second.
struct Instruction {
  std::string stock;  // empty until a first line is read
  std::string from;
  std::string to;
  double quantity = 0;
};

}  // namespace

StiStatusResult ReadStiStatusReport(const ReportSource& source, HoldingsBook& book,
                                    run::Operator& op) {
  StiStatusResult result;
  op.ProgressLine("Reading \"" + std::string(kStiStatusReport) + "\" report ...");
  std::optional<scanner::ReportRange> range = scanner::FindReport(source.pages, kStiStatusReport);
  if (!range) return result;
  result.found = true;

  bool pending_section = false;
  Instruction sti;
  const std::string_view report = kStiStatusReport;
  WalkReport(source, range->start, range->end, op, report, [&](std::string_view line) {
    if (Contains(line, "END OF REPORT") || Contains(line, "TOTAL NO OF PENDING FOR TRANSFER STI"))
      return false;
    if (Contains(line, "PENDING FOR TRANSFER STI") || Contains(line, "PENDING STI")) {
      pending_section = true;
      return true;
    }
    if (!pending_section || scanner::IsPageFurniture(line) || IsHeading(line)) return true;

    if (sti.stock.empty()) {
      if (HasPositiveValue(Cols(line, 14, 5)) && HasPositiveValue(Cols(line, 37, 8))) {
        sti.stock = std::string(Cols(line, 14, 5));
        sti.from = book.Account(Cols(line, 37, 8));
        sti.quantity = text::CutComma(Cols(line, 76, 16));
      }
    } else if (sti.to.empty() && HasPositiveValue(Cols(line, 37, 8))) {
      sti.to = book.Account(Cols(line, 37, 8));
    }
    if (!sti.stock.empty() && !sti.to.empty()) {
      // Once both lines are read the instruction is done with, booked or not: one without a
      // quantity is dropped.
      if (sti.quantity > 0) {
        std::string key = book.StockKey(sti.stock);
        book.AddBalance(key, sti.to, sti.quantity);
        book.AddBalance(key, sti.from, -sti.quantity);
        ++result.instructions;
      }
      sti = Instruction{};
    }
    return true;
  });
  return result;
}

}  // namespace zur::readers
