#include "settings/ini_file.h"

#include <algorithm>
#include <array>
#include <cerrno>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <sstream>

#include "base/utf8_path.h"
#include "settings/ini_number.h"
#include "settings/text_encoding.h"

namespace tracker {
namespace {

constexpr std::string_view kBlanks = " \t\v";
constexpr std::string_view kUtf8Bom = "\xEF\xBB\xBF";
constexpr std::string_view kNewLine = "\r\n";

std::string_view TrimLeft(std::string_view text) {
  const auto pos = text.find_first_not_of(kBlanks);
  return pos == std::string_view::npos ? std::string_view{} : text.substr(pos);
}

std::string_view Trim(std::string_view text) {
  text = TrimLeft(text);
  const auto pos = text.find_last_not_of(kBlanks);
  return pos == std::string_view::npos ? std::string_view{} : text.substr(0, pos + 1);
}

// ASCII letters folded to lower case, every other byte as it is: a table, as
// every name lookup folds each byte of both names.
constexpr auto kFolded = [] {
  std::array<char, 256> table{};
  for (int b = 0; b < 256; ++b) {
    table[b] = static_cast<char>(b >= 'A' && b <= 'Z' ? b - 'A' + 'a' : b);
  }
  return table;
}();

char Folded(char c) {
  return kFolded[static_cast<unsigned char>(c)];
}

// Name of a section header line ("[ name ] rest"), nothing for other lines.
std::optional<std::string_view> SectionName(std::string_view line) {
  line = TrimLeft(line);
  if (line.empty() || line.front() != '[') return std::nullopt;
  line.remove_prefix(1);
  return Trim(line.substr(0, line.find(']')));
}

// A key line: neither blank nor a comment.
bool IsKeyLine(std::string_view line) {
  line = TrimLeft(line);
  return !line.empty() && line.front() != ';';
}

std::string_view KeyName(std::string_view line) {
  return Trim(line.substr(0, line.find('=')));
}

std::optional<std::string_view> TrimmedValue(std::string_view line) {
  const auto equals = line.find('=');
  if (equals == std::string_view::npos) return std::nullopt;
  return Trim(line.substr(equals + 1));
}

bool IsQuote(char c) {
  return c == '"' || c == '\'';
}

// Bytes no text settings file holds: NUL and the control characters other
// than the blanks, line breaks, form feed and the old end-of-file mark.
bool IsBinaryByte(unsigned char c) {
  return c < 0x20 && c != '\t' && c != '\n' && c != '\v' && c != '\f' && c != '\r' && c != 0x1A;
}

// A value that would not read back as it stands (blanks at either end, or one
// outer quote pair) goes inside one pair of double quotes, which the reader
// takes off again.
std::string QuotedIfNeeded(std::string bytes) {
  const bool blankEnd = !bytes.empty() && (kBlanks.find(bytes.front()) != std::string_view::npos ||
                                           kBlanks.find(bytes.back()) != std::string_view::npos);
  const bool quoted = bytes.size() >= 2 && IsQuote(bytes.front()) && bytes.back() == bytes.front();
  return blankEnd || quoted ? "\"" + bytes + "\"" : bytes;
}

std::string_view Unquote(std::string_view value) {
  if (value.size() >= 2 && IsQuote(value.front()) && value.back() == value.front()) {
    return value.substr(1, value.size() - 2);
  }
  return value;
}

}  // namespace

std::size_t IniDocument::FoldedHash::operator()(std::string_view name) const {
  // FNV-1a over the folded bytes.
  std::uint64_t hash = 14695981039346656037ULL;
  for (const char c : name) {
    hash ^= static_cast<unsigned char>(Folded(c));
    hash *= 1099511628211ULL;
  }
  return static_cast<std::size_t>(hash);
}

bool IniDocument::FoldedEqual::operator()(std::string_view a, std::string_view b) const {
  return std::equal(a.begin(), a.end(), b.begin(), b.end(),
                    [](char x, char y) { return Folded(x) == Folded(y); });
}

void IniDocument::KeyIndex::add(std::string_view name, std::size_t line) {
  entries_.push_back({FoldedHash{}(name), line});
}

void IniDocument::KeyIndex::seal(const std::vector<Line>& body) {
  // Stable: of the lines of one name, the first stays first.
  std::stable_sort(entries_.begin(), entries_.end(),
                   [](const Entry& a, const Entry& b) { return a.hash < b.hash; });
  std::vector<Entry> kept;
  kept.reserve(entries_.size());
  for (auto run = entries_.begin(); run != entries_.end();) {
    const auto runEnd =
        std::find_if(run, entries_.end(), [&](const Entry& e) { return e.hash != run->hash; });
    for (auto e = run; e != runEnd; ++e) {
      const std::string_view name = KeyName(body[e->line].text);
      const bool seen = std::any_of(run, e, [&](const Entry& earlier) {
        return FoldedEqual{}(KeyName(body[earlier.line].text), name);
      });
      if (!seen) kept.push_back(*e);
    }
    run = runEnd;
  }
  entries_ = std::move(kept);
  sorted_ = entries_.size();
}

std::size_t IniDocument::KeyIndex::find(const std::vector<Line>& body,
                                        std::string_view name) const {
  const std::size_t hash = FoldedHash{}(name);
  const auto matches = [&](const Entry& e) {
    return e.hash == hash && FoldedEqual{}(KeyName(body[e.line].text), name);
  };
  const auto sortedEnd = entries_.begin() + static_cast<std::ptrdiff_t>(sorted_);
  auto e = std::lower_bound(entries_.begin(), sortedEnd, hash,
                            [](const Entry& entry, std::size_t h) { return entry.hash < h; });
  for (; e != sortedEnd && e->hash == hash; ++e) {
    if (matches(*e)) return e->line;
  }
  const auto added = std::find_if(sortedEnd, entries_.end(), matches);
  return added == entries_.end() ? std::string::npos : added->line;
}

void IniDocument::KeyIndex::insert(std::string_view name, std::size_t line) {
  constexpr std::size_t kUnsorted = 16;
  entries_.push_back({FoldedHash{}(name), line});
  if (entries_.size() - sorted_ < kUnsorted) return;
  const auto byHash = [](const Entry& a, const Entry& b) { return a.hash < b.hash; };
  const auto sortedEnd = entries_.begin() + static_cast<std::ptrdiff_t>(sorted_);
  std::sort(sortedEnd, entries_.end(), byHash);
  std::inplace_merge(entries_.begin(), sortedEnd, entries_.end(), byHash);
  sorted_ = entries_.size();
}

IniDocument::IniDocument(std::string_view bytes) {
  parse(bytes);
}

IniLoad IniDocument::load(const std::string& path) {
  *this = IniDocument();
  std::error_code error;
  const std::filesystem::path filePath = PathFromUtf8(path);
  if (!std::filesystem::exists(filePath, error) || std::filesystem::is_directory(filePath, error)) {
    return IniLoad::Missing;
  }
  std::ifstream file(filePath, std::ios::binary);
  if (!file) {
    loadProblem_ = std::strerror(errno);
    return IniLoad::Unreadable;
  }
  std::ostringstream content;
  content << file.rdbuf();
  if (file.bad()) {
    loadProblem_ = std::strerror(errno);
    return IniLoad::Unreadable;
  }
  return loadText(content.view());
}

IniLoad IniDocument::loadText(std::string_view bytes) {
  *this = IniDocument();
  if (std::any_of(bytes.begin(), bytes.end(),
                  [](char c) { return IsBinaryByte(static_cast<unsigned char>(c)); })) {
    loadProblem_ = "not a text settings file";
    return IniLoad::Unreadable;
  }
  parse(bytes);
  return IniLoad::Loaded;
}

void IniDocument::parse(std::string_view bytes) {
  // Every leading mark: a second one, left by a tool that added its own, would
  // otherwise become text of the first line and go at the next save.
  while (bytes.starts_with(kUtf8Bom)) bytes.remove_prefix(kUtf8Bom.size());
  while (!bytes.empty()) {
    const auto end = bytes.find_first_of("\r\n");
    Line line{std::string(bytes.substr(0, end)), {}};
    if (end != std::string_view::npos) {
      const bool crlf = bytes[end] == '\r' && end + 1 < bytes.size() && bytes[end + 1] == '\n';
      line.eol = bytes.substr(end, crlf ? 2 : 1);
      bytes.remove_prefix(end + line.eol.size());
    } else {
      bytes = {};
    }
    addLine(std::move(line));
  }
  for (Section& section : sections_) section.keys.seal(section.body);
}

void IniDocument::addLine(Line line) {
  if (const auto name = SectionName(line.text)) {
    sectionIndex_.try_emplace(std::string(*name), sections_.size());
    sections_.push_back(Section{std::move(line), {}, {}, 0});
    return;
  }
  if (sections_.empty()) {
    prelude_.push_back(std::move(line));
    return;
  }
  Section& section = sections_.back();
  if (IsKeyLine(line.text)) {
    section.keys.add(KeyName(line.text), section.body.size());
    section.keysEnd = section.body.size() + 1;
  }
  section.body.push_back(std::move(line));
}

const IniDocument::Section* IniDocument::findSection(std::string_view name) const {
  const auto found = sectionIndex_.find(name);
  return found == sectionIndex_.end() ? nullptr : &sections_[found->second];
}

std::optional<std::string_view> IniDocument::readRaw(std::string_view section,
                                                     std::string_view key) const {
  const Section* found = findSection(section);
  if (found == nullptr) return std::nullopt;
  const std::size_t line = found->keys.find(found->body, key);
  if (line == std::string::npos) return std::nullopt;
  const auto value = TrimmedValue(found->body[line].text);
  if (!value) return std::nullopt;
  return Unquote(*value);
}

std::vector<std::string_view> IniDocument::keyNames(std::string_view section) const {
  std::vector<std::string_view> names;
  const Section* found = findSection(section);
  if (found == nullptr) return names;
  names.reserve(found->keys.size());
  for (const KeyIndex::Entry& entry : found->keys) {
    const std::string_view text = found->body[entry.line].text;
    if (TrimmedValue(text)) names.push_back(KeyName(text));
  }
  return names;
}

std::string IniDocument::readString(std::string_view section, std::string_view key,
                                    std::string_view fallback) const {
  const auto raw = readRaw(section, key);
  std::string text;
  if (raw) {
    text = DecodeIniValue(*raw);
  } else {
    text = fallback.substr(0, fallback.find_last_not_of(' ') + 1);
  }
  // Every character takes a byte at least: a text no longer than the limit in
  // bytes is not cut, and is returned without a copy.
  if (text.size() > kMaxValueLength) text.resize(Utf8Prefix(text, kMaxValueLength).size());
  return text;
}

std::int32_t IniDocument::readInt(std::string_view section, std::string_view key,
                                  std::int32_t fallback) const {
  const auto raw = readRaw(section, key);
  if (!raw) return fallback;
  return ParseIniInteger(*raw).value_or(fallback);
}

bool IniDocument::readFlag(std::string_view section, std::string_view key, bool fallback) const {
  return readInt(section, key, fallback ? 1 : 0) != 0;
}

void IniDocument::writeString(std::string_view section, std::string_view key,
                              std::string_view value) {
  std::string bytes = EncodeIniValue(value);
  // A line break inside a value would split the line.
  std::replace(bytes.begin(), bytes.end(), '\r', ' ');
  std::replace(bytes.begin(), bytes.end(), '\n', ' ');
  writeRaw(section, key, QuotedIfNeeded(std::move(bytes)));
}

void IniDocument::writeInt(std::string_view section, std::string_view key, std::int32_t value) {
  writeRaw(section, key, std::to_string(value));
}

void IniDocument::writeFlag(std::string_view section, std::string_view key, bool value) {
  writeRaw(section, key, value ? "1" : "0");
}

IniDocument::Line* IniDocument::lastLine() {
  if (!sections_.empty()) {
    Section& last = sections_.back();
    return last.body.empty() ? &last.header : &last.body.back();
  }
  return prelude_.empty() ? nullptr : &prelude_.back();
}

void IniDocument::writeRaw(std::string_view section, std::string_view key,
                           const std::string& value) {
  const auto newLine = [&] { return Line{std::string(key) + "=" + value, std::string(kNewLine)}; };
  const auto found = sectionIndex_.find(section);
  if (found == sectionIndex_.end()) {
    if (Line* last = lastLine(); last != nullptr && last->eol.empty()) last->eol = kNewLine;
    sectionIndex_.emplace(std::string(section), sections_.size());
    Section added{Line{"[" + std::string(section) + "]", std::string(kNewLine)}, {}, {}, 1};
    added.keys.insert(key, 0);
    added.body.push_back(newLine());
    sections_.push_back(std::move(added));
    return;
  }
  Section& target = sections_[found->second];
  if (const std::size_t existing = target.keys.find(target.body, key);
      existing != std::string::npos) {
    Line& line = target.body[existing];
    // An unchanged value leaves the line as it is, blanks and quotes included.
    if (TrimmedValue(line.text) == std::string_view(value)) return;
    line.text = std::string(KeyName(line.text)) + "=" + value;
    return;
  }
  Line& previous = target.keysEnd == 0 ? target.header : target.body[target.keysEnd - 1];
  if (previous.eol.empty()) previous.eol = kNewLine;
  target.body.insert(target.body.begin() + static_cast<std::ptrdiff_t>(target.keysEnd), newLine());
  target.keys.insert(key, target.keysEnd);
  ++target.keysEnd;
}

std::string IniDocument::bytes() const {
  std::string out;
  const auto append = [&out](const Line& line) {
    out += line.text;
    out += line.eol;
  };
  std::for_each(prelude_.begin(), prelude_.end(), append);
  for (const Section& section : sections_) {
    append(section.header);
    std::for_each(section.body.begin(), section.body.end(), append);
  }
  return out;
}

void IniDocument::save(const std::string& path) const {
  WriteFileAtomically(path, bytes());
}

}  // namespace tracker
