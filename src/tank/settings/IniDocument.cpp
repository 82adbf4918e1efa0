#include "tank/settings/IniDocument.h"

#include <algorithm>
#include <unordered_map>

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

std::string lowered(std::string_view text) {
    std::string out(text);
    std::transform(out.begin(), out.end(), out.begin(), lower);
    return out;
}

// A value as a private-profile read returns it: cut at a zero byte and after `limit` characters.
std::string readValue(const std::string& value, std::size_t limit) {
    std::string text = value.substr(0, value.find('\0'));
    if (text.size() > limit)
        text.resize(limit);
    return text;
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
    lines.reserve(std::size_t(std::count(bytes.begin(), bytes.end(), '\n')) + 1);
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
    } else if (content.front() == '[' && content.rfind(']') != std::string_view::npos) {
        line.kind = Kind::Section;
        line.name = trim(content.substr(1, content.rfind(']') - 1));
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
    return value ? readValue(*value, limit) : std::string();
}

std::vector<std::string> IniDocument::readMany(std::string_view section,
                                               const std::vector<std::string>& keys,
                                               std::size_t limit) const {
    std::vector<std::string> values(keys.size());
    const std::optional<std::size_t> header = findSection(section);
    if (!header)
        return values;
    // Each asked name, lowered, with the places in `values` that want it.
    std::unordered_map<std::string, std::vector<std::size_t>> wanted;
    for (std::size_t i = 0; i < keys.size(); ++i)
        if (std::string_view key = trim(keys[i]); !key.empty())
            wanted[lowered(key)].push_back(i);
    const std::size_t end = sectionEnd(*header);
    for (std::size_t i = *header + 1; i < end && !wanted.empty(); ++i) {
        if (lines[i].kind != Kind::Key)
            continue;
        // The first key of a name wins: its name is then no longer wanted.
        auto found = wanted.find(lowered(lines[i].name));
        if (found == wanted.end())
            continue;
        for (std::size_t at : found->second)
            values[at] = readValue(lines[i].value, limit);
        wanted.erase(found);
    }
    return values;
}

namespace {

// The row that `name` numbers when it is `prefix` (in any case) followed by the decimal index
// that std::to_string writes, when that row is below `rows`.
std::optional<std::size_t> rowOf(std::string_view name, std::string_view prefix, std::size_t rows) {
    if (name.size() <= prefix.size() || !sameName(name.substr(0, prefix.size()), prefix))
        return std::nullopt;
    const std::string_view digits = name.substr(prefix.size());
    if (digits.size() > 1 && digits.front() == '0')
        return std::nullopt;
    std::size_t row = 0;
    for (char c : digits) {
        if (c < '0' || c > '9')
            return std::nullopt;
        row = row * 10 + std::size_t(c - '0');
        if (row >= rows)
            return std::nullopt;
    }
    return row;
}

} // namespace

std::vector<std::string> IniDocument::readRows(std::string_view section, std::string_view prefix,
                                               std::size_t rows, std::size_t limit) const {
    std::vector<std::string> values(rows);
    if (rows == 0)
        return values;
    prefix = trim(prefix);
    const std::optional<std::size_t> header = findSection(section);
    if (!header)
        return values;
    std::vector<bool> found(rows);
    const std::size_t end = sectionEnd(*header);
    for (std::size_t i = *header + 1; i < end; ++i) {
        if (lines[i].kind != Kind::Key)
            continue;
        // The first key of a name wins.
        const std::optional<std::size_t> row = rowOf(lines[i].name, prefix, rows);
        if (!row || found[*row])
            continue;
        found[*row] = true;
        values[*row] = readValue(lines[i].value, limit);
    }
    return values;
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

bool IniDocument::validSection(std::string_view section) {
    return !trim(section).empty() && !breaksLines(section) &&
           section.find(']') == std::string_view::npos;
}

bool IniDocument::validPair(std::string_view key, std::string_view value) {
    const std::string_view keyStart = trim(key);
    return !keyStart.empty() && !breaksLines(key) && !breaksLines(value) &&
           key.find('=') == std::string_view::npos && keyStart.front() != '[' &&
           keyStart.front() != ';';
}

// A key line found by its name takes a new value in place (its name and line end kept).
bool IniDocument::replaceValue(Line& line, std::string_view value) {
    if (line.value == value)
        return false;
    std::string end = line.end;
    line = parseLine(line.name + "=" + std::string(value), std::move(end));
    modified = true;
    return true;
}

// A new key goes after the last non-blank line of its section.
std::size_t IniDocument::newKeyPosition(std::size_t header) const {
    std::size_t at = sectionEnd(header);
    while (at > header + 1 && lines[at - 1].kind == Kind::Blank)
        --at;
    return at;
}

bool IniDocument::write(std::string_view section, std::string_view key, std::string_view value) {
    if (!validSection(section) || !validPair(key, value))
        return false;

    std::optional<std::size_t> header = findSection(section);
    if (!header) {
        insertLine(lines.size(), "[" + std::string(section) + "]");
        insertLine(lines.size(), std::string(key) + "=" + std::string(value));
        return true;
    }
    if (std::optional<std::size_t> found = findKey(*header, key)) {
        replaceValue(lines[*found], value);
        return true;
    }
    insertLine(newKeyPosition(*header), std::string(key) + "=" + std::string(value));
    return true;
}

std::size_t IniDocument::writeMany(std::string_view section,
                                   const std::vector<std::pair<std::string, std::string>>& pairs) {
    if (!validSection(section))
        return 0;
    std::vector<const std::pair<std::string, std::string>*> valid;
    for (const auto& pair : pairs)
        if (validPair(pair.first, pair.second))
            valid.push_back(&pair);
    if (valid.empty())
        return 0;
    std::optional<std::size_t> header = findSection(section);
    if (!header) {
        insertLine(lines.size(), "[" + std::string(section) + "]");
        header = lines.size() - 1;
    }

    // The keys of the section by lowered name (the first of a name wins), then the keys this
    // call adds: a later pair with the name of an earlier one changes that line in place, as a
    // second `write` would.
    struct Place {
        bool added;
        std::size_t index;
    };
    std::unordered_map<std::string, Place> places;
    const std::size_t end = sectionEnd(*header);
    for (std::size_t i = *header + 1; i < end; ++i)
        if (lines[i].kind == Kind::Key)
            places.try_emplace(lowered(lines[i].name), Place{false, i});
    std::vector<Line> added;
    const std::string lineEnd = newline();
    for (const auto* pair : valid) {
        const auto [place, isNew] =
            places.try_emplace(lowered(trim(pair->first)), Place{true, added.size()});
        if (isNew) {
            added.push_back(parseLine(pair->first + "=" + pair->second, lineEnd));
            continue;
        }
        Line& line = place->second.added ? added[place->second.index] : lines[place->second.index];
        replaceValue(line, pair->second);
    }
    if (!added.empty()) {
        const std::size_t at = newKeyPosition(*header);
        if (at > 0)
            terminate(at - 1);
        lines.insert(lines.begin() + std::ptrdiff_t(at), std::make_move_iterator(added.begin()),
                     std::make_move_iterator(added.end()));
        modified = true;
    }
    return valid.size();
}

} // namespace quelmarine
