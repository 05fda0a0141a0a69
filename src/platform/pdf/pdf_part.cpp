#include "platform/pdf/pdf_part.h"

#include <cairo-pdf.h>
#include <pango/pangocairo.h>

#include <ctime>
#include <map>
#include <memory>
#include <vector>

#include "platform/big5/big5_text.h"

namespace zur::pdf {
namespace {

constexpr double kPointsPerUnit = 72.0 / 254.0;  // one unit is a tenth of a millimetre

std::string PdfDate(std::chrono::system_clock::time_point t) {
  std::time_t secs = std::chrono::system_clock::to_time_t(t);
  std::tm tm{};
  gmtime_r(&secs, &tm);
  char buf[32];
  std::strftime(buf, sizeof buf, "%Y-%m-%dT%H:%M:%SZ", &tm);
  return buf;
}

struct SurfaceDeleter {
  void operator()(cairo_surface_t* s) const { cairo_surface_destroy(s); }
};
struct ContextDeleter {
  void operator()(cairo_t* c) const { cairo_destroy(c); }
};
struct LayoutDeleter {
  void operator()(PangoLayout* l) const { g_object_unref(l); }
};
struct FontDeleter {
  void operator()(PangoFontDescription* f) const { pango_font_description_free(f); }
};

// Runs `draw` with its origin at (x, y) and the width `natural` stretched or
// squeezed to the `cells` columns the run has in the report. Drawing starts at
// the origin; no current point is left behind (cairo_restore keeps it).
template <typename Draw>
void DrawFitted(cairo_t* cr, double x, double y, double natural, size_t cells,
                const PageSetup& setup, Draw draw) {
  cairo_save(cr);
  cairo_translate(cr, x, y);
  if (natural > 0) cairo_scale(cr, static_cast<double>(cells) * setup.font_width / natural, 1.0);
  cairo_move_to(cr, 0, 0);
  draw();
  cairo_new_path(cr);
  cairo_restore(cr);
}

// Draws a run of text so that it fills exactly its columns: the font's own
// advance is stretched or squeezed to the cell width of the report.
void DrawRun(cairo_t* cr, PangoLayout* layout, std::string_view big5, double x, double y,
             const PageSetup& setup) {
  const std::string utf8 = big5::Big5ToUtf8(big5);
  pango_layout_set_text(layout, utf8.c_str(), static_cast<int>(utf8.size()));
  PangoRectangle logical;
  pango_layout_get_extents(layout, nullptr, &logical);
  const double natural = static_cast<double>(logical.width) / PANGO_SCALE;
  // A layout is drawn from its top: the baseline goes up by its distance from the top.
  const double baseline = static_cast<double>(pango_layout_get_baseline(layout)) / PANGO_SCALE;
  DrawFitted(cr, x, y - baseline, natural, big5.size(), setup,
             [&] { pango_cairo_show_layout(cr, layout); });
}

// The glyphs of a page's printable single-byte text, by the horizontal scale that fits each
// run to its columns (one scale for a font whose printable characters are equally wide),
// drawn together when the page ends.
struct GlyphBatch {
  double scale = 1;
  std::vector<cairo_glyph_t> glyphs;  // x in the batch's scaled space
};

// The glyphs of the printable single-byte characters, shaped once: a report is
// mostly such text, and shaping every run anew is most of the time a PDF takes.
// A run whose characters all come from the layout's own font is placed from
// here where the layout would draw its glyphs; anything else goes through DrawRun.
class SingleByteGlyphs {
 public:
  explicit SingleByteGlyphs(PangoLayout* layout) {
    PangoContext* context = pango_layout_get_context(layout);
    std::string printable;
    for (int c = 32; c < 127; ++c) printable.push_back(static_cast<char>(c));
    PangoAttrList* attrs = pango_attr_list_new();
    pango_attr_list_insert(attrs,
                           pango_attr_font_desc_new(pango_layout_get_font_description(layout)));
    GList* items = pango_itemize(context, printable.data(), 0, static_cast<int>(printable.size()),
                                 attrs, nullptr);
    pango_attr_list_unref(attrs);
    // One item: one font holds every printable character.
    if (items != nullptr && items->next == nullptr) {
      auto* item = static_cast<PangoItem*>(items->data);
      font_ = PANGO_FONT(g_object_ref(item->analysis.font));
      PangoGlyphString* one = pango_glyph_string_new();
      for (int c = 32; c < 127; ++c) {
        const char ch = static_cast<char>(c);
        pango_shape(&ch, 1, &item->analysis, one);
        if (one->num_glyphs == 1 && !(one->glyphs[0].glyph & PANGO_GLYPH_UNKNOWN_FLAG)) {
          glyphs_[c] = one->glyphs[0];
          known_[c] = true;
        }
      }
      pango_glyph_string_free(one);
    }
    g_list_free_full(items, [](gpointer item) { pango_item_free(static_cast<PangoItem*>(item)); });
  }
  ~SingleByteGlyphs() {
    if (font_ != nullptr) g_object_unref(font_);
  }
  SingleByteGlyphs(const SingleByteGlyphs&) = delete;
  SingleByteGlyphs& operator=(const SingleByteGlyphs&) = delete;

  // Adds the glyphs of the run starting at (x, y) to the page's batches when every character
  // is known; false leaves the run to DrawRun. Blanks take their room but give no glyph.
  bool Add(std::string_view text, double x, double y, const PageSetup& setup,
           std::vector<GlyphBatch>& batches) const {
    if (font_ == nullptr) return false;
    int natural = 0;
    for (char ch : text) {
      const auto c = static_cast<unsigned char>(ch);
      if (c >= 128 || !known_[c]) return false;
      natural += glyphs_[c].geometry.width;
    }
    const double scale = natural > 0 ? static_cast<double>(text.size()) * setup.font_width /
                                           (static_cast<double>(natural) / PANGO_SCALE)
                                     : 1.0;
    GlyphBatch* batch = nullptr;
    for (GlyphBatch& b : batches)
      if (b.scale == scale) batch = &b;
    if (batch == nullptr) batch = &batches.emplace_back(GlyphBatch{scale, {}});
    int advance = 0;
    for (char ch : text) {
      const PangoGlyphInfo& g = glyphs_[static_cast<unsigned char>(ch)];
      if (ch != ' ')
        batch->glyphs.push_back(
            {g.glyph, x / scale + static_cast<double>(advance + g.geometry.x_offset) / PANGO_SCALE,
             y + static_cast<double>(g.geometry.y_offset) / PANGO_SCALE});
      advance += g.geometry.width;
    }
    return true;
  }

  // Draws the batches with the font the glyphs come from.
  void Draw(cairo_t* cr, const std::vector<GlyphBatch>& batches) const {
    cairo_scaled_font_t* scaled = pango_cairo_font_get_scaled_font(PANGO_CAIRO_FONT(font_));
    for (const GlyphBatch& b : batches) {
      if (b.glyphs.empty()) continue;
      cairo_save(cr);
      cairo_scale(cr, b.scale, 1.0);
      cairo_set_scaled_font(cr, scaled);
      cairo_show_glyphs(cr, b.glyphs.data(), static_cast<int>(b.glyphs.size()));
      cairo_restore(cr);
    }
  }

 private:
  PangoFont* font_ = nullptr;
  PangoGlyphInfo glyphs_[128] = {};
  bool known_[128] = {};
};

// A piece of single-byte text at the same place on page after page (a page heading), drawn
// once into a form that each page showing it again paints: the glyphs of a report's headings
// are then drawn once, not once a page.
struct RepeatedPiece {
  std::string text;
  int page = 0;                     // the last page that showed it
  int pages = 0;                    // on how many pages in a row, up to that one
  cairo_surface_t* form = nullptr;  // made on the third page in a row
};

// A piece in the same place on this many pages in a row is a heading.
constexpr int kHeadingPages = 3;

// The PDF document: each piece's single-byte runs into the page's glyph batches, two-byte
// runs drawn at once; the batches are drawn before a form is painted and when the page ends,
// so that the text stays in reading order.
class PdfPages : public PageSink {
 public:
  PdfPages(cairo_t* cr, PangoLayout* layout, const PageSetup& setup,
           const std::function<void()>& page_drawn)
      : cr_(cr), layout_(layout), single_(layout), setup_(setup), page_drawn_(page_drawn) {
    cairo_set_source_rgb(cr_, 0, 0, 0);
  }
  ~PdfPages() override {
    for (auto& [place, piece] : repeated_)
      if (piece.form != nullptr) cairo_surface_destroy(piece.form);
  }
  PdfPages(const PdfPages&) = delete;
  PdfPages& operator=(const PdfPages&) = delete;

  void Piece(int x, int baseline, std::string_view text) override {
    const int page = done_ + 1;
    RepeatedPiece& seen = repeated_[{baseline, x}];
    const bool again = seen.page == page - 1 && seen.text == text;
    seen.page = page;
    if (!again) {
      seen.text.assign(text);
      seen.pages = 1;
      if (seen.form != nullptr) cairo_surface_destroy(seen.form);
      seen.form = nullptr;
    } else if (++seen.pages == kHeadingPages) {
      seen.form = MakeForm(x, baseline, text);
    }
    if (seen.form != nullptr) {
      DrawBatches();
      cairo_save(cr_);
      cairo_identity_matrix(cr_);  // the form is in the page's own units
      cairo_set_source_surface(cr_, seen.form, 0, 0);
      cairo_paint(cr_);
      cairo_restore(cr_);
      return;
    }
    Place(cr_, x, baseline, text, batches_);
  }

  void NextPage() override {
    DrawBatches();
    cairo_show_page(cr_);
    ++done_;
    if (page_drawn_) page_drawn_();
  }

 private:
  // Single-byte and two-byte characters have different natural widths, so each
  // run of one kind is fitted to its own columns and the report's columns line up.
  // The single-byte runs go to `batches`; false when a run cannot (nothing is drawn then
  // when `draw_rest` is false).
  bool Place(cairo_t* cr, int x, int baseline, std::string_view text,
             std::vector<GlyphBatch>& batches, bool draw_rest = true) {
    size_t start = 0;
    while (start < text.size()) {
      const bool wide = big5::IsBig5Lead(static_cast<unsigned char>(text[start]));
      size_t end = start;
      while (end < text.size() && big5::IsBig5Lead(static_cast<unsigned char>(text[end])) == wide) {
        end += wide && end + 1 < text.size() ? 2 : 1;
      }
      const std::string_view run = text.substr(start, end - start);
      const double at = x + static_cast<double>(start) * setup_.font_width;
      if (wide || !single_.Add(run, at, baseline, setup_, batches)) {
        if (!draw_rest) return false;
        DrawRun(cr, layout_, run, at, baseline, setup_);
      }
      start = end;
    }
    return true;
  }

  // The piece drawn alone on a surface of the page's size; null when it is not all
  // single-byte text.
  cairo_surface_t* MakeForm(int x, int baseline, std::string_view text) {
    std::vector<GlyphBatch> batches;
    if (!Place(nullptr, x, baseline, text, batches, false)) return nullptr;
    const cairo_rectangle_t page = {0, 0, setup_.paper_width() * kPointsPerUnit,
                                    setup_.paper_height() * kPointsPerUnit};
    cairo_surface_t* form = cairo_recording_surface_create(CAIRO_CONTENT_COLOR_ALPHA, &page);
    cairo_t* cr = cairo_create(form);
    cairo_scale(cr, kPointsPerUnit, kPointsPerUnit);
    cairo_set_source_rgb(cr, 0, 0, 0);
    single_.Draw(cr, batches);
    cairo_destroy(cr);
    return form;
  }

  void DrawBatches() {
    single_.Draw(cr_, batches_);
    for (GlyphBatch& b : batches_) b.glyphs.clear();
  }

  cairo_t* cr_;
  PangoLayout* layout_;
  SingleByteGlyphs single_;
  const PageSetup& setup_;
  const std::function<void()>& page_drawn_;
  int done_ = 0;
  std::vector<GlyphBatch> batches_;
  std::map<std::pair<int, int>, RepeatedPiece> repeated_;  // by baseline and x
};

cairo_status_t AppendTo(void* closure, const unsigned char* data, unsigned int length) {
  static_cast<std::string*>(closure)->append(reinterpret_cast<const char*>(data), length);
  return CAIRO_STATUS_SUCCESS;
}

}  // namespace

std::string DrawPdfPart(const LaidOutPages& pages, const PageSetup& setup,
                        const DocumentStyle& style, const std::function<void()>& page_drawn,
                        std::string& pdf) {
  const double width_pt = setup.paper_width() * kPointsPerUnit;
  const double height_pt = setup.paper_height() * kPointsPerUnit;
  std::unique_ptr<cairo_surface_t, SurfaceDeleter> surface(
      cairo_pdf_surface_create_for_stream(AppendTo, &pdf, width_pt, height_pt));
  if (cairo_surface_status(surface.get()) != CAIRO_STATUS_SUCCESS)
    return cairo_status_to_string(cairo_surface_status(surface.get()));
  const std::string date = PdfDate(style.created);
  cairo_pdf_surface_set_metadata(surface.get(), CAIRO_PDF_METADATA_CREATE_DATE, date.c_str());
  cairo_pdf_surface_set_metadata(surface.get(), CAIRO_PDF_METADATA_MOD_DATE, date.c_str());
  cairo_pdf_surface_set_metadata(surface.get(), CAIRO_PDF_METADATA_TITLE, style.title.c_str());
  cairo_pdf_surface_set_metadata(surface.get(), CAIRO_PDF_METADATA_CREATOR, "zur");

  std::unique_ptr<cairo_t, ContextDeleter> cr(cairo_create(surface.get()));
  cairo_scale(cr.get(), kPointsPerUnit, kPointsPerUnit);
  std::unique_ptr<PangoLayout, LayoutDeleter> layout(pango_cairo_create_layout(cr.get()));
  std::unique_ptr<PangoFontDescription, FontDeleter> font(pango_font_description_new());
  pango_font_description_set_family(font.get(), style.font_family.c_str());
  pango_font_description_set_absolute_size(font.get(),
                                           static_cast<double>(setup.font_height) * PANGO_SCALE);
  pango_layout_set_font_description(layout.get(), font.get());

  {
    PdfPages document(cr.get(), layout.get(), setup, page_drawn);
    pages.Replay(document);
  }
  cr.reset();
  cairo_surface_finish(surface.get());
  if (cairo_surface_status(surface.get()) != CAIRO_STATUS_SUCCESS)
    return cairo_status_to_string(cairo_surface_status(surface.get()));
  return {};
}

}  // namespace zur::pdf
