#include "platform/pdf/pdf_render.h"

#include <fcntl.h>
#include <fmt/format.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <condition_variable>
#include <cstring>
#include <exception>
#include <memory>
#include <mutex>
#include <system_error>
#include <thread>
#include <vector>

#include "platform/files/write_all.h"
#include "platform/pdf/laid_out_pages.h"
#include "platform/pdf/pdf_join.h"

namespace zur::pdf {
namespace {

constexpr unsigned kMaxDrawers = 4;

// A run of pages, and the PDF drawing it gave.
struct Part {
  LaidOutPages pages;
  std::string pdf;
  std::string error;
  bool drawn = false;
};

// Takes the laid-out pages part by part and has them drawn by threads of its own, while the
// calling thread gives the document's bytes to `write`, part after part, as the parts are drawn.
class PartDrawing : public PageSink {
 public:
  using Write = std::function<std::string(std::string_view bytes)>;  // "" or what went wrong

  PartDrawing(int pages, const PageSetup& setup, const RenderOptions& options, Write write)
      : setup_(setup),
        options_(options),
        write_(std::move(write)),
        total_(std::max(pages, 1)),
        current_(std::make_unique<Part>()) {
    const unsigned drawers = std::clamp(std::thread::hardware_concurrency(), 1u, kMaxDrawers);
    for (unsigned i = 0; i < drawers; ++i) drawers_.emplace_back([this] { Draw(); });
  }
  ~PartDrawing() override {
    {
      std::lock_guard lock(mutex_);
      stopping_ = true;
    }
    work_.notify_all();
    drawers_.clear();  // joins them
  }
  PartDrawing(const PartDrawing&) = delete;
  PartDrawing& operator=(const PartDrawing&) = delete;

  void Piece(int x, int baseline, std::string_view big5) override {
    if (error_.empty()) current_->pages.Piece(x, baseline, big5);
  }
  void NextPage() override {
    if (!error_.empty()) return;
    current_->pages.NextPage();
    if (current_->pages.pages() < options_.part_pages) return;
    // A long report is never held whole: the layout waits while as many parts wait to be
    // drawn as there are threads to draw them.
    HandOver();
    Pump([&] { return parts_.size() - next_ <= drawers_.size(); });
  }

  // Once every page is ended: writes the rest of the document. Returns an empty string, or
  // what went wrong.
  std::string Finish() {
    if (current_->pages.pages() > 0) HandOver();
    {
      std::lock_guard lock(mutex_);
      finished_ = true;
    }
    Pump([&] { return written_ == parts_.size() && told_ == pages_drawn_; });
    if (error_.empty() && join_) {
      std::string end;
      joiner_.Finish(end);
      error_ = write_(end);
    }
    return error_;
  }

 private:
  void HandOver() {
    {
      std::lock_guard lock(mutex_);
      parts_.push_back(std::move(current_));
    }
    work_.notify_one();
    current_ = std::make_unique<Part>();
  }

  // Until `enough` holds (under the lock) or something fails: writes each part drawn, in
  // order, and tells the progress of the pages drawn.
  void Pump(const std::function<bool()>& enough) {
    std::unique_lock lock(mutex_);
    while (error_.empty() && !enough()) {
      // A document of one part is written as drawn; of more, joined. The first part waits
      // until a second one or the end of the layout tells which.
      if (written_ < parts_.size() && parts_[written_]->drawn && (finished_ || parts_.size() > 1)) {
        std::unique_ptr<Part> part = std::move(parts_[written_++]);
        lock.unlock();
        WritePart(*part);
        lock.lock();
      } else if (told_ < pages_drawn_) {
        const int drawn = pages_drawn_;
        lock.unlock();
        for (; told_ < drawn; ++told_)
          if (options_.progress) options_.progress(told_ + 1, std::max(total_, told_ + 1));
        lock.lock();
      } else {
        news_.wait(lock);
      }
    }
  }

  void WritePart(const Part& part) {
    if (written_ == 1) join_ = parts_.size() > 1;
    if (!part.error.empty()) {
      error_ = part.error;
    } else if (!join_) {
      error_ = write_(part.pdf);
    } else {
      std::string bytes;
      error_ = joiner_.Add(part.pdf, bytes) ? write_(bytes) : joiner_.error();
    }
  }

  // A drawing thread: the next part waiting, until there are no more.
  void Draw() {
    for (;;) {
      Part* part = nullptr;
      {
        std::unique_lock lock(mutex_);
        work_.wait(lock, [&] { return next_ < parts_.size() || stopping_; });
        if (stopping_) return;
        part = parts_[next_++].get();
      }
      news_.notify_one();  // room for the layout to go on
      std::string pdf;
      std::string error;
      try {
        error = DrawPdfPart(
            part->pages, setup_, options_, [this] { PageDrawn(); }, pdf);
      } catch (const std::exception& e) {
        error = e.what();
      }
      {
        std::lock_guard lock(mutex_);
        part->pdf = std::move(pdf);
        part->error = std::move(error);
        part->drawn = true;
        part->pages = LaidOutPages();
      }
      news_.notify_one();
    }
  }

  void PageDrawn() {
    {
      std::lock_guard lock(mutex_);
      ++pages_drawn_;
    }
    news_.notify_one();
  }

  const PageSetup& setup_;
  const RenderOptions& options_;
  const Write write_;

  // The calling thread's own.
  const int total_;                // pages counted before the layout
  std::unique_ptr<Part> current_;  // being laid out
  bool join_ = false;              // more than one part
  PdfJoiner joiner_;
  int told_ = 0;  // pages the progress was told of
  std::string error_;

  // Shared with the drawing threads.
  std::mutex mutex_;
  std::condition_variable work_;              // for the drawing threads: a part to draw, or the end
  std::condition_variable news_;              // for the calling thread: a part or a page drawn
  bool finished_ = false;                     // every page is ended
  std::vector<std::unique_ptr<Part>> parts_;  // handed over, in page order; null once written
  size_t next_ = 0;                           // the next part to draw
  size_t written_ = 0;                        // parts written (only the calling thread moves it)
  int pages_drawn_ = 0;
  bool stopping_ = false;
  std::vector<std::jthread> drawers_;  // last: they stop before the rest goes
};

std::string WriteAll(int fd, std::string_view bytes) {
  if (files::WriteAll(fd, bytes)) return {};
  return errno != 0 ? std::strerror(errno) : "nothing was written";
}

}  // namespace

std::string RenderPdf(const std::function<void(PageSink& sink)>& lay_out, int pages,
                      const PageSetup& setup, const RenderOptions& options,
                      const std::filesystem::path& out) {
  const std::filesystem::path tmp = out.string() + ".part";
  const int fd = ::open(tmp.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
  if (fd < 0) return fmt::format("cannot write PDF {}: {}", out.string(), std::strerror(errno));
  std::string error;
  {
    PartDrawing drawing(pages, setup, options,
                        [fd](std::string_view bytes) { return WriteAll(fd, bytes); });
    lay_out(drawing);
    drawing.NextPage();  // the last page
    error = drawing.Finish();
  }
  if (error.empty() && ::fsync(fd) != 0) error = std::strerror(errno);
  if (::close(fd) != 0 && error.empty()) error = std::strerror(errno);
  std::error_code ec;
  if (error.empty()) {
    std::filesystem::rename(tmp, out, ec);
    if (ec) error = ec.message();
  }
  if (!error.empty()) {
    std::filesystem::remove(tmp, ec);
    return fmt::format("cannot write PDF {}: {}", out.string(), error);
  }
  return {};
}

}  // namespace zur::pdf
