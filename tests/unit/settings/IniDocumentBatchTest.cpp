// Reading and writing many keys of a section at once: readMany gives what a read of each key
// gives, readRows what readMany gives for the numbered keys, and writeMany leaves the text, byte
// for byte, as a write of each pair in turn would, on documents with duplicate sections and keys,
// names in other cases, blank lines at a section's end, comments, an unterminated last line, CR LF
// line ends and a byte order mark.

#include "tank/settings/IniDocument.h"

#include <gtest/gtest.h>
#include <random>
#include <string>
#include <utility>
#include <vector>

using namespace quelmarine;

namespace {

class RandomIni {
  public:
    explicit RandomIni(unsigned seed) : random(seed) {}

    std::string pick(const std::vector<std::string>& choices) {
        return choices[std::uniform_int_distribution<std::size_t>(0, choices.size() - 1)(random)];
    }
    bool chance(int percent) { return std::uniform_int_distribution<int>(0, 99)(random) < percent; }

    std::string section() { return pick({"List", "list", " LIST ", "Other", "x]y", ""}); }
    std::string key() {
        return pick({"Sum",   "sum",   " SUM",  "Row0",  "row0",
                     "Row1",  "Row2",  "Row10", "[Row",  ";Row",
                     "a=b",   "Mode",  "",      "ROW3",  "Row01",
                     "Row 1", "Row+1", "Row",   "Rows1", "Row18446744073709551617"});
    }
    std::string value() { return pick({"", "1", "0", " padded ", "/a/b.mp3", "two\nlines", "x"}); }

    std::string document() {
        const std::string end = chance(30) ? "\r\n" : "\n";
        std::string text = chance(10) ? "\xEF\xBB\xBF" : "";
        const int lines = std::uniform_int_distribution<int>(0, 14)(random);
        for (int i = 0; i < lines; ++i) {
            const int kind = std::uniform_int_distribution<int>(0, 9)(random);
            if (kind < 2)
                text += "[" + section() + "]";
            else if (kind < 4)
                text += chance(50) ? "" : "  ";
            else if (kind < 5)
                text += "; " + key();
            else
                text += key() + "=" + value();
            text += end;
        }
        if (chance(30) && !text.empty())
            text.resize(text.size() - end.size()); // an unterminated last line
        return text;
    }

    std::vector<std::pair<std::string, std::string>> pairs() {
        std::vector<std::pair<std::string, std::string>> out;
        const int count = std::uniform_int_distribution<int>(0, 8)(random);
        for (int i = 0; i < count; ++i)
            out.emplace_back(key(), value());
        return out;
    }

  private:
    std::mt19937 random;
};

TEST(IniDocumentBatch, WriteManyStoresWhatAWriteOfEachPairInTurnStores) {
    RandomIni make(1);
    for (int round = 0; round < 20000; ++round) {
        const std::string text = make.document();
        const std::string section = make.section();
        const auto pairs = make.pairs();
        IniDocument oneByOne(text), together(text);
        std::size_t stored = 0;
        for (const auto& [key, value] : pairs)
            stored += oneByOne.write(section, key, value) ? 1 : 0;
        ASSERT_EQ(together.writeMany(section, pairs), stored) << text;
        ASSERT_EQ(together.bytes(), oneByOne.bytes()) << "text:\n"
                                                      << text << "\nsection " << section;
        ASSERT_EQ(together.changed(), oneByOne.changed()) << text;
    }
}

TEST(IniDocumentBatch, ReadManyReadsWhatAReadOfEachKeyReads) {
    RandomIni make(2);
    for (int round = 0; round < 20000; ++round) {
        const IniDocument document(make.document());
        const std::string section = make.section();
        std::vector<std::string> keys;
        for (const auto& pair : make.pairs())
            keys.push_back(pair.first);
        const std::size_t limit = make.chance(50) ? kProfileReadLimit : 3;
        const std::vector<std::string> values = document.readMany(section, keys, limit);
        ASSERT_EQ(values.size(), keys.size());
        for (std::size_t i = 0; i < keys.size(); ++i)
            ASSERT_EQ(values[i], document.read(section, keys[i], limit))
                << document.bytes() << "\n"
                << section << " / " << keys[i];
    }
}

TEST(IniDocumentBatch, ReadRowsReadsWhatReadManyReadsForTheNumberedKeys) {
    RandomIni make(3);
    for (int round = 0; round < 20000; ++round) {
        const IniDocument document(make.document());
        const std::string section = make.section();
        const std::string prefix = make.pick({"Row", "row", "ROW"});
        const std::size_t rows = std::stoul(make.pick({"0", "1", "2", "4", "11"}));
        std::vector<std::string> keys;
        for (std::size_t i = 0; i < rows; ++i)
            keys.push_back(prefix + std::to_string(i));
        const std::size_t limit = make.chance(50) ? kProfileReadLimit : 3;
        ASSERT_EQ(document.readRows(section, prefix, rows, limit),
                  document.readMany(section, keys, limit))
            << document.bytes() << "\n"
            << section << " / " << prefix << " x " << rows;
    }
}

} // namespace
