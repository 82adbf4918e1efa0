#pragma once
// An INI text held in memory, read and written with the rules of the Windows private-profile
// functions: section and key names match without regard to case, blanks around names and values
// are ignored, the first of duplicate sections or keys wins, a read sees at most 127 characters,
// and a write replaces a value in place or appends the key at the end of its section (creating
// the section at the end of the text). Lines that are not touched keep their exact bytes.

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace quelmarine {

// A read sees what fits a 128-byte buffer with its terminating zero.
inline constexpr std::size_t kProfileReadLimit = 127;

// The blanks trimmed from both ends of names and values.
inline constexpr bool isIniBlank(char c) {
    return c == ' ' || c == '\t' || c == '\r' || c == '\v' || c == '\f';
}

class IniDocument {
  public:
    IniDocument() = default;
    // Any bytes are accepted; a leading UTF-8 byte order mark is kept aside and written back.
    explicit IniDocument(std::string_view bytes);

    // The text as it would be stored.
    std::string bytes() const;

    // The full value of a key with blanks trimmed, or nothing when the section or key is absent.
    std::optional<std::string> find(std::string_view section, std::string_view key) const;

    // The value as a private-profile read returns it: "" when absent or empty, cut at a zero
    // byte and after `limit` characters.
    std::string read(std::string_view section, std::string_view key,
                     std::size_t limit = kProfileReadLimit) const;

    // Stores Key=Value. False (and nothing changes) when the names are empty or a name or the
    // value holds a character that would break the line structure.
    bool write(std::string_view section, std::string_view key, std::string_view value);

    // The values of many keys of one section, as `read` gives each, in the order asked. One pass
    // over the text, however many keys: a list of thousands of rows reads in linear time.
    std::vector<std::string> readMany(std::string_view section,
                                      const std::vector<std::string>& keys,
                                      std::size_t limit = kProfileReadLimit) const;

    // The values of the numbered keys Prefix0 ... Prefix<rows - 1> of one section, as
    // `readMany` gives them. One pass over the section, whatever `rows` is: a declared count
    // far beyond the rows that are there costs nothing but the empty values.
    std::vector<std::string> readRows(std::string_view section, std::string_view prefix,
                                      std::size_t rows,
                                      std::size_t limit = kProfileReadLimit) const;

    // Stores many Key=Value pairs in one section: the text that results is the one that a
    // `write` of each pair in turn would give, byte for byte (a pair `write` refuses is left
    // out), made in one pass whatever the number of pairs. Returns how many pairs were stored.
    std::size_t writeMany(std::string_view section,
                          const std::vector<std::pair<std::string, std::string>>& pairs);

    // True once a write has changed the text.
    bool changed() const { return modified; }

  private:
    enum class Kind { Blank, Comment, Section, Key };
    struct Line {
        std::string text; // without its line end
        std::string end;  // "\n", "\r\n", or "" / "\r" for an unterminated last line
        Kind kind = Kind::Blank;
        std::string name;  // section or key name, trimmed
        std::string value; // key value, trimmed
    };

    static Line parseLine(std::string text, std::string end);
    static bool validSection(std::string_view section);
    static bool validPair(std::string_view key, std::string_view value);
    bool replaceValue(Line& line, std::string_view value);
    std::optional<std::size_t> findSection(std::string_view section) const;
    std::size_t sectionEnd(std::size_t header) const;
    std::optional<std::size_t> findKey(std::size_t header, std::string_view key) const;
    std::string newline() const;
    void terminate(std::size_t index);
    void insertLine(std::size_t index, std::string text);
    std::size_t newKeyPosition(std::size_t header) const;

    bool byteOrderMark = false;
    std::vector<Line> lines;
    bool modified = false;
};

} // namespace quelmarine
