#include "ini_file.h"

#include <fstream>
#include <iterator>

namespace orvelle {
namespace {

bool isBlank(char c) {
    return c == ' ' || c == '\t' || c == '\r' || c == '\n';
}

std::string_view trim(std::string_view s) {
    while (!s.empty() && isBlank(s.front())) s.remove_prefix(1);
    while (!s.empty() && isBlank(s.back())) s.remove_suffix(1);
    return s;
}

char asciiLower(char c) {
    return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
}

bool sameName(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (size_t i = 0; i < a.size(); ++i) {
        if (asciiLower(a[i]) != asciiLower(b[i])) return false;
    }
    return true;
}

// "[name]" (anything after the bracket ignored) gives name.
std::optional<std::string_view> sectionName(std::string_view line) {
    line = trim(line);
    if (line.empty() || line.front() != '[') return std::nullopt;
    const size_t close = line.find(']');
    if (close == std::string_view::npos) return std::nullopt;
    return trim(line.substr(1, close - 1));
}

bool isComment(std::string_view line) {
    line = trim(line);
    return !line.empty() && line.front() == ';';
}

struct KeyLine {
    std::string_view key;
    std::string_view value;
    // A line without "=" names a key but holds no value: reading it gives
    // nothing, as the platform's profile functions do.
    bool hasValue;
};

std::optional<KeyLine> keyLine(std::string_view line) {
    if (isComment(line) || sectionName(line)) return std::nullopt;
    const size_t eq = line.find('=');
    if (eq == std::string_view::npos) {
        const auto key = trim(line);
        if (key.empty()) return std::nullopt;
        return KeyLine{key, {}, false};
    }
    return KeyLine{trim(line.substr(0, eq)), trim(line.substr(eq + 1)), true};
}

}  // namespace

IniDocument IniDocument::parse(std::string_view bytes) {
    IniDocument doc;
    size_t start = 0;
    while (start < bytes.size()) {
        size_t end = bytes.find('\n', start);
        if (end == std::string_view::npos) end = bytes.size();
        std::string_view line = bytes.substr(start, end - start);
        if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
        doc.lines_.emplace_back(line);
        start = end + 1;
    }
    return doc;
}

std::optional<std::string> IniDocument::get(std::string_view section, std::string_view key) const {
    bool inSection = false;
    for (const auto& line : lines_) {
        if (auto name = sectionName(line)) {
            inSection = sameName(*name, section);
            continue;
        }
        if (!inSection) continue;
        auto kv = keyLine(line);
        if (!kv || !sameName(kv->key, key)) continue;
        if (!kv->hasValue) return std::nullopt;
        std::string_view value = kv->value;
        if (value.size() >= 2 && value.front() == '"' && value.back() == '"') {
            value = value.substr(1, value.size() - 2);
        }
        return std::string(value);
    }
    return std::nullopt;
}

void IniDocument::set(std::string_view section, std::string_view key, std::string_view value) {
    std::string newLine;
    newLine.reserve(key.size() + 1 + value.size());
    newLine.append(key).append(1, '=').append(value);
    bool inSection = false;
    size_t insertAt = lines_.size();
    bool sectionFound = false;
    for (size_t i = 0; i < lines_.size(); ++i) {
        if (auto name = sectionName(lines_[i])) {
            if (inSection) break;  // end of our section
            inSection = sameName(*name, section);
            if (inSection) {
                sectionFound = true;
                insertAt = i + 1;
            }
            continue;
        }
        if (!inSection) continue;
        if (auto kv = keyLine(lines_[i])) {
            if (sameName(kv->key, key)) {
                lines_[i] = std::move(newLine);
                return;
            }
        }
        if (!trim(lines_[i]).empty()) insertAt = i + 1;
    }
    if (!sectionFound) {
        while (!lines_.empty() && trim(lines_.back()).empty()) lines_.pop_back();
        std::string header(1, '[');
        header.append(section).append(1, ']');
        lines_.push_back(std::move(header));
        insertAt = lines_.size();
    }
    lines_.insert(lines_.begin() + static_cast<std::ptrdiff_t>(insertAt), std::move(newLine));
}

std::string IniDocument::serialize() const {
    std::string out;
    for (const auto& line : lines_) {
        out += line;
        out += "\r\n";
    }
    return out;
}

namespace {

std::optional<std::string> readWholeFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in) return std::nullopt;
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

}  // namespace

std::optional<std::string> readIniValue(const std::string& path, std::string_view section,
                                        std::string_view key) {
    auto bytes = readWholeFile(path);
    if (!bytes) return std::nullopt;
    return IniDocument::parse(*bytes).get(section, key);
}

bool writeIniValue(const std::string& path, std::string_view section, std::string_view key,
                   std::string_view value) {
    IniDocument doc;
    if (auto bytes = readWholeFile(path)) doc = IniDocument::parse(*bytes);
    doc.set(section, key, value);
    const std::string text = doc.serialize();
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    if (!out) return false;
    out.write(text.data(), static_cast<std::streamsize>(text.size()));
    return static_cast<bool>(out.flush());
}

int32_t parseProfileInt(std::string_view text) {
    size_t i = 0;
    while (i < text.size() && isBlank(text[i])) ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
        negative = text[i] == '-';
        ++i;
    }
    uint32_t value = 0;
    while (i < text.size() && text[i] >= '0' && text[i] <= '9') {
        value = value * 10u + static_cast<uint32_t>(text[i] - '0');
        ++i;
    }
    if (negative) value = 0u - value;
    return static_cast<int32_t>(value);
}

int32_t profileInt(const std::optional<std::string>& value, int32_t defaultValue) {
    if (!value || value->empty()) return defaultValue;
    return parseProfileInt(*value);
}

}  // namespace orvelle
