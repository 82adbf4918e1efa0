#include "tank/settings/IniDocument.h"

#include <algorithm>

namespace quelmarine {

namespace {

constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";

std::string_view trim(std::string_view text) {
    while (!text.empty() && isIniBlank(text.front()))
        text.remove_prefix(1);
    while (!text.empty() && isIniBlank(text.back()))
        text.remove_suffix(1);
    return text;
}

char lower(char c) {
    return (c >= 'A' && c <= 'Z') ? char(c - 'A' + 'a') : c;
}

bool sameName(std::string_view a, std::string_view b) {
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(),
                                              [](char x, char y) { return lower(x) == lower(y); });
}

bool breaksLines(std::string_view text) {
    return text.find_first_of(std::string_view("\r\n\0", 3)) != std::string_view::npos;
}

} // namespace

IniDocument::IniDocument(std::string_view bytes) {
    if (bytes.substr(0, kByteOrderMark.size()) == kByteOrderMark) {
        byteOrderMark = true;
        bytes.remove_prefix(kByteOrderMark.size());
    }
    while (!bytes.empty()) {
        std::size_t lineEnd = bytes.find('\n');
        std::string_view text = bytes.substr(0, lineEnd);
        std::string end;
        if (lineEnd == std::string_view::npos) {
            bytes = {};
        } else {
            end = "\n";
            bytes.remove_prefix(lineEnd + 1);
        }
        if (!text.empty() && text.back() == '\r') {
            text.remove_suffix(1);
            end.insert(end.begin(), '\r');
        }
        lines.push_back(parseLine(std::string(text), std::move(end)));
    }
}

IniDocument::Line IniDocument::parseLine(std::string text, std::string end) {
    Line line;
    std::string_view content = trim(text);
    if (content.empty()) {
        line.kind = Kind::Blank;
    } else if (content.front() == ';') {
        line.kind = Kind::Comment;
    } else if (std::size_t close = content.rfind(']');
               content.front() == '[' && close != std::string_view::npos) {
        line.kind = Kind::Section;
        line.name = trim(content.substr(1, close - 1));
    } else {
        line.kind = Kind::Key;
        std::size_t equals = content.find('=');
        line.name = trim(content.substr(0, equals));
        if (equals != std::string_view::npos)
            line.value = trim(content.substr(equals + 1));
    }
    line.text = std::move(text);
    line.end = std::move(end);
    return line;
}

std::string IniDocument::bytes() const {
    std::string out = byteOrderMark ? std::string(kByteOrderMark) : std::string();
    for (const Line& line : lines) {
        out += line.text;
        out += line.end;
    }
    return out;
}

std::optional<std::size_t> IniDocument::findSection(std::string_view section) const {
    section = trim(section);
    if (section.empty())
        return std::nullopt;
    for (std::size_t i = 0; i < lines.size(); ++i)
        if (lines[i].kind == Kind::Section && sameName(lines[i].name, section))
            return i;
    return std::nullopt;
}

std::size_t IniDocument::sectionEnd(std::size_t header) const {
    std::size_t i = header + 1;
    while (i < lines.size() && lines[i].kind != Kind::Section)
        ++i;
    return i;
}

std::optional<std::size_t> IniDocument::findKey(std::size_t header, std::string_view key) const {
    key = trim(key);
    if (key.empty())
        return std::nullopt;
    std::size_t end = sectionEnd(header);
    for (std::size_t i = header + 1; i < end; ++i)
        if (lines[i].kind == Kind::Key && sameName(lines[i].name, key))
            return i;
    return std::nullopt;
}

std::optional<std::string> IniDocument::find(std::string_view section, std::string_view key) const {
    std::optional<std::size_t> header = findSection(section);
    if (!header)
        return std::nullopt;
    std::optional<std::size_t> line = findKey(*header, key);
    if (!line)
        return std::nullopt;
    return lines[*line].value;
}

std::string IniDocument::read(std::string_view section, std::string_view key,
                              std::size_t limit) const {
    std::optional<std::string> value = find(section, key);
    if (!value)
        return {};
    std::string text = value->substr(0, value->find('\0'));
    if (text.size() > limit)
        text.resize(limit);
    return text;
}

std::string IniDocument::newline() const {
    for (const Line& line : lines)
        if (line.end == "\n" || line.end == "\r\n")
            return line.end;
    return "\n";
}

void IniDocument::terminate(std::size_t index) {
    Line& line = lines[index];
    if (line.end != "\n" && line.end != "\r\n")
        line.end = newline();
}

void IniDocument::insertLine(std::size_t index, std::string text) {
    if (index > 0)
        terminate(index - 1);
    lines.insert(lines.begin() + std::ptrdiff_t(index), parseLine(std::move(text), newline()));
    modified = true;
}

bool IniDocument::write(std::string_view section, std::string_view key, std::string_view value) {
    if (trim(section).empty() || trim(key).empty())
        return false;
    if (breaksLines(section) || breaksLines(key) || breaksLines(value))
        return false;
    if (section.find(']') != std::string_view::npos || key.find('=') != std::string_view::npos)
        return false;
    std::string_view keyStart = trim(key);
    if (keyStart.front() == '[' || keyStart.front() == ';')
        return false;

    std::optional<std::size_t> header = findSection(section);
    if (!header) {
        insertLine(lines.size(), "[" + std::string(section) + "]");
        insertLine(lines.size(), std::string(key) + "=" + std::string(value));
        return true;
    }
    if (std::optional<std::size_t> found = findKey(*header, key)) {
        Line& line = lines[*found];
        if (line.value == value)
            return true;
        std::string end = line.end;
        line = parseLine(line.name + "=" + std::string(value), std::move(end));
        modified = true;
        return true;
    }
    // A new key goes after the last non-blank line of its section.
    std::size_t at = sectionEnd(*header);
    while (at > *header + 1 && lines[at - 1].kind == Kind::Blank)
        --at;
    insertLine(at, std::string(key) + "=" + std::string(value));
    return true;
}

} // namespace quelmarine
