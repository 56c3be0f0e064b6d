#include "app/cli/console_lines.h"

#include <vector>

namespace tracker::cli {
namespace {

constexpr auto kRedrawEvery = std::chrono::milliseconds(100);
constexpr const char* kErase = "\r\x1b[K";

// Gathers characters into lines and hands each whole line on.
class LineBuffer : public std::streambuf {
 public:
  LineBuffer(ConsoleLines& console, bool toErr, std::string prefix)
      : console_(console), toErr_(toErr), prefix_(std::move(prefix)) {}
  ~LineBuffer() override {
    if (!line_.empty()) console_.writeLine(toErr_, prefix_ + line_);
  }

 protected:
  int_type overflow(int_type c) override {
    if (traits_type::eq_int_type(c, traits_type::eof())) return traits_type::not_eof(c);
    const char ch = traits_type::to_char_type(c);
    if (ch != '\n') {
      line_.push_back(ch);
      return c;
    }
    console_.writeLine(toErr_, prefix_ + line_);
    line_.clear();
    return c;
  }

 private:
  ConsoleLines& console_;
  bool toErr_;
  std::string prefix_;
  std::string line_;
};

// The stream owns its buffer.
class LineStream : public std::ostream {
 public:
  LineStream(ConsoleLines& console, bool toErr, std::string prefix)
      : std::ostream(nullptr), buffer_(console, toErr, std::move(prefix)) {
    rdbuf(&buffer_);
  }

 private:
  LineBuffer buffer_;
};

}  // namespace

std::string ProgressText(const Progress& p) {
  std::string text = p.title;
  if (!p.step.empty()) text += ": " + p.step;
  return text + " " + std::to_string(p.percent()) + "% (" + std::to_string(p.done) + " of " +
         std::to_string(p.total) + " bytes)";
}

ConsoleLines::ConsoleLines(std::ostream& out, std::ostream& err, bool progressOnErr)
    : out_(out), err_(err), show_(progressOnErr) {}

ConsoleLines::~ConsoleLines() {
  const std::lock_guard lock(mutex_);
  eraseLocked();
}

std::unique_ptr<std::ostream> ConsoleLines::stream(bool toErr, std::string prefix) {
  return std::make_unique<LineStream>(*this, toErr, std::move(prefix));
}

void ConsoleLines::writeLine(bool toErr, const std::string& line) {
  const std::lock_guard lock(mutex_);
  const bool redraw = drawn_;
  eraseLocked();
  (toErr ? err_ : out_) << line << '\n';
  (toErr ? err_ : out_).flush();
  if (redraw) drawLocked();
}

void ConsoleLines::progress(const std::string& port, const std::optional<Progress>& progress) {
  if (!show_) return;
  const std::lock_guard lock(mutex_);
  const auto now = std::chrono::steady_clock::now();
  if (!progress) {
    bars_.erase(port);
  } else {
    const std::string text = port.empty() ? ProgressText(*progress)
                                          : port + " " + std::to_string(progress->percent()) + "%";
    const bool isNew = bars_.find(port) == bars_.end();
    bars_[port] = text;
    if (!isNew && now - lastDraw_ < kRedrawEvery) return;
  }
  eraseLocked();
  drawLocked();
  lastDraw_ = now;
}

void ConsoleLines::eraseLocked() {
  if (!drawn_) return;
  err_ << kErase << std::flush;
  drawn_ = false;
}

void ConsoleLines::drawLocked() {
  if (bars_.empty()) return;
  std::string line;
  for (const auto& [port, text] : bars_) line += (line.empty() ? "" : "  ") + text;
  err_ << line << std::flush;
  drawn_ = true;
}

}  // namespace tracker::cli
