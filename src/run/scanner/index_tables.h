#pragma once
// The page index (table RPINFO) and the report index (table RPOPTN) as the run keeps them on
// disk, for the steps that read the indexes through their tables.

#include <span>
#include <vector>

#include "platform/dbf/table.h"
#include "run/scanner/page_header.h"
#include "run/scanner/report_index.h"

namespace zur::scanner {

// The fields of the two tables.
std::vector<dbf::FieldSpec> PageIndexFields();
std::vector<dbf::FieldSpec> ReportIndexFields();

// Appends one record per row (the tables are emptied beforehand by whoever opens them).
// Fields not filled by the scan stay blank. dbf::Error when a record cannot be written,
// for example an offset too wide for its field.
void WritePageIndex(dbf::Table& info, std::span<const PageRow> pages);
void WriteReportIndex(dbf::Table& optn, std::span<const ReportRow> reports);

// The page index back from its table, in record order, deleted records left out. Numbers
// out of range (a damaged table) are clamped: a negative offset to 0.
std::vector<PageRow> ReadPageIndex(dbf::Table& info);

}  // namespace zur::scanner
