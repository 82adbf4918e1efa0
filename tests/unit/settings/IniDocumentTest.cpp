#include "tank/settings/IniDocument.h"
#include "tank/settings/ProfileInt.h"

#include <climits>
#include <gtest/gtest.h>
#include <random>

using namespace quelmarine;

TEST(ParseAtoi, ReadsLikeTheCLibrary) {
    EXPECT_EQ(parseAtoi("  -12abc"), -12);
    EXPECT_EQ(parseAtoi("\t+7"), 7);
    EXPECT_EQ(parseAtoi("32767.5"), 32767);
    EXPECT_EQ(parseAtoi("123.6"), 123);
    EXPECT_EQ(parseAtoi("abc"), 0);
    EXPECT_EQ(parseAtoi(""), 0);
    EXPECT_EQ(parseAtoi("- 5"), 0);
    EXPECT_EQ(parseAtoi("16777215"), 16777215);
}

TEST(ParseAtoi, ClampsValuesBeyondThirtyTwoBits) {
    EXPECT_EQ(parseAtoi("2147483647"), INT_MAX);
    EXPECT_EQ(parseAtoi("2147483648"), INT_MAX);
    EXPECT_EQ(parseAtoi("-2147483648"), INT_MIN);
    EXPECT_EQ(parseAtoi("-2147483649"), INT_MIN);
    EXPECT_EQ(parseAtoi(std::string(400, '9')), INT_MAX);
    EXPECT_EQ(parseAtoi("-" + std::string(400, '9')), INT_MIN);
}

TEST(IniDocumentRead, NamesMatchWithoutCaseAndBlanksAreIgnored) {
    IniDocument doc("  [ aquarium SETTINGS ]  \n  qipaonum   =   42  \nYinLiang=7\n");
    EXPECT_EQ(doc.read("Aquarium Settings", "QIPAONUM"), "42");
    EXPECT_EQ(doc.read("AQUARIUM settings", "yinliang"), "7");
    EXPECT_EQ(doc.read("Aquarium", "QIPAONUM"), "");
    EXPECT_EQ(doc.read("Aquarium Settings", "QIPAO"), "");
}

TEST(IniDocumentRead, AbsentEmptyAndValuelessKeysAllReadEmpty) {
    IniDocument doc("[S]\nEmpty=\nNoEquals\nFull=x\n");
    EXPECT_EQ(doc.read("S", "Empty"), "");
    EXPECT_EQ(doc.read("S", "NoEquals"), "");
    EXPECT_EQ(doc.read("S", "Missing"), "");
    EXPECT_EQ(doc.read("T", "Full"), "");
    EXPECT_EQ(doc.read("S", "Full"), "x");
    EXPECT_TRUE(doc.find("S", "Empty").has_value());
    EXPECT_FALSE(doc.find("S", "Missing").has_value());
}

TEST(IniDocumentRead, FirstOfDuplicateKeysAndSectionsWins) {
    IniDocument doc("[S]\nKey=first\nkey=second\n[Other]\nKey=other\n[s]\nKey=third\nLate=1\n");
    EXPECT_EQ(doc.read("S", "KEY"), "first");
    EXPECT_EQ(doc.read("Other", "Key"), "other");
    // Only the first of two sections with the same name is seen.
    EXPECT_EQ(doc.read("S", "Late"), "");
}

TEST(IniDocumentRead, CommentsAndKeysOutsideSectionsAreNotValues) {
    IniDocument doc("Key=outside\n[S]\n;Key=commented\n  ; Other=2\nValue=a=b ; not a comment\n");
    EXPECT_EQ(doc.read("S", "Key"), "");
    EXPECT_EQ(doc.read("S", ";Key"), "");
    EXPECT_EQ(doc.read("S", "Other"), "");
    EXPECT_EQ(doc.read("S", "Value"), "a=b ; not a comment");
}

TEST(IniDocumentRead, SeesAtMost127CharactersAndStopsAtAZeroByte) {
    std::string value130;
    for (int i = 0; i < 130; ++i)
        value130.push_back(char('a' + i % 26));
    IniDocument doc("[S]\nLong=" + value130 + "\nZero=ab" + std::string(1, '\0') + "cd\n");
    EXPECT_EQ(doc.read("S", "Long"), value130.substr(0, 127));
    EXPECT_EQ(doc.read("S", "Long", 1000), value130);
    EXPECT_EQ(doc.read("S", "Zero"), "ab");
}

TEST(IniDocumentRead, CrLfLineEndsAndAByteOrderMark) {
    IniDocument doc("\xEF\xBB\xBF[S]\r\nA=1\r\nB = two \r\n");
    EXPECT_EQ(doc.read("S", "A"), "1");
    EXPECT_EQ(doc.read("S", "B"), "two");
    EXPECT_EQ(doc.bytes(), "\xEF\xBB\xBF[S]\r\nA=1\r\nB = two \r\n");
}

TEST(IniDocumentWrite, CreatesTheSectionAndAppendsKeysInOrder) {
    IniDocument doc;
    EXPECT_TRUE(doc.write("Aquarium Settings", "Show Water", "0"));
    EXPECT_TRUE(doc.write("Fish Number", "Fish0", "1"));
    EXPECT_TRUE(doc.write("Aquarium Settings", "YINLIANG", "32767.5"));
    EXPECT_TRUE(doc.changed());
    EXPECT_EQ(doc.bytes(), "[Aquarium Settings]\nShow Water=0\nYINLIANG=32767.5\n"
                           "[Fish Number]\nFish0=1\n");
}

TEST(IniDocumentWrite, ReplacesInPlaceAndLeavesOtherBytesAlone) {
    IniDocument doc("; kept\n[s]\n  qipaonum = 5 \r\nOther =  x  \n");
    EXPECT_TRUE(doc.write("S", "QIPAONUM", "100"));
    EXPECT_EQ(doc.bytes(), "; kept\n[s]\nqipaonum=100\r\nOther =  x  \n");
    EXPECT_EQ(doc.read("S", "qipaonum"), "100");
}

TEST(IniDocumentWrite, SameValueChangesNothing) {
    IniDocument doc("[S]\nKey = 5\n");
    EXPECT_TRUE(doc.write("s", "KEY", "5"));
    EXPECT_FALSE(doc.changed());
    EXPECT_EQ(doc.bytes(), "[S]\nKey = 5\n");
}

TEST(IniDocumentWrite, NewKeyGoesAfterTheLastLineOfItsSectionBeforeBlankLines) {
    IniDocument doc("[A]\nk=1\n; note\n\n\n[B]\nm=2\n");
    EXPECT_TRUE(doc.write("A", "New", "v"));
    EXPECT_TRUE(doc.write("B", "Last", "w"));
    EXPECT_EQ(doc.bytes(), "[A]\nk=1\n; note\nNew=v\n\n\n[B]\nm=2\nLast=w\n");
}

TEST(IniDocumentWrite, ValuelessKeyLineIsReplaced) {
    IniDocument doc("[S]\nQIPAONUM\nNext=1\n");
    EXPECT_TRUE(doc.write("S", "QIPAONUM", "100"));
    EXPECT_EQ(doc.bytes(), "[S]\nQIPAONUM=100\nNext=1\n");
}

TEST(IniDocumentWrite, UnterminatedLastLineIsTerminatedBeforeAppending) {
    IniDocument crlf("[S]\r\nA=1");
    EXPECT_TRUE(crlf.write("S", "B", "2"));
    EXPECT_TRUE(crlf.write("T", "C", "3"));
    EXPECT_EQ(crlf.bytes(), "[S]\r\nA=1\r\nB=2\r\n[T]\r\nC=3\r\n");

    IniDocument plain("[S]\nA=1");
    EXPECT_TRUE(plain.write("S", "A", "9"));
    EXPECT_EQ(plain.bytes(), "[S]\nA=9");
}

TEST(IniDocumentWrite, KeepsTheByteOrderMarkAndUsesTheFilesLineEnds) {
    IniDocument doc("\xEF\xBB\xBF[S]\r\nA=1\r\n");
    EXPECT_TRUE(doc.write("S", "B", "2"));
    EXPECT_EQ(doc.bytes(), "\xEF\xBB\xBF[S]\r\nA=1\r\nB=2\r\n");
}

TEST(IniDocumentWrite, RefusesTextThatWouldBreakTheLineStructure) {
    const std::string original = "[S]\nA=1\n";
    IniDocument doc(original);
    EXPECT_FALSE(doc.write("S", "A", "1\n[Evil]\nB=2"));
    EXPECT_FALSE(doc.write("S", "A", "x\ry"));
    EXPECT_FALSE(doc.write("S", "A", std::string("x\0y", 3)));
    EXPECT_FALSE(doc.write("S", "A=B", "1"));
    EXPECT_FALSE(doc.write("S", ";A", "1"));
    EXPECT_FALSE(doc.write("S", "[A", "1"));
    EXPECT_FALSE(doc.write("S]", "A", "1"));
    EXPECT_FALSE(doc.write("", "A", "1"));
    EXPECT_FALSE(doc.write("S", "  ", "1"));
    EXPECT_FALSE(doc.changed());
    EXPECT_EQ(doc.bytes(), original);
    // A path with unusual but harmless characters is stored as it stands.
    EXPECT_TRUE(doc.write("S", "ImageList0", "/home/u/a=b;[c]#.png"));
    EXPECT_EQ(doc.read("S", "ImageList0"), "/home/u/a=b;[c]#.png");
}

TEST(IniDocumentGarbage, AnyBytesParseAndStayUsable) {
    std::mt19937 engine(20261208);
    std::uniform_int_distribution<int> byte(0, 255);
    std::uniform_int_distribution<int> length(0, 600);
    const char* pieces[] = {"[", "]", "=", "\n", "\r", ";", " ", "S", "s", "Key", "\xEF\xBB\xBF"};
    std::uniform_int_distribution<int> pick(0, 2 * int(std::size(pieces)));
    for (int round = 0; round < 300; ++round) {
        std::string bytes;
        int n = length(engine);
        for (int i = 0; i < n; ++i) {
            int p = pick(engine);
            if (p < int(std::size(pieces)))
                bytes += pieces[p];
            else
                bytes.push_back(char(byte(engine)));
        }
        IniDocument doc(bytes);
        // Untouched text is stored back byte for byte.
        ASSERT_EQ(doc.bytes(), bytes);
        (void)doc.read("S", "Key");
        ASSERT_TRUE(doc.write("S", "Key", "value"));
        ASSERT_TRUE(doc.write("Fresh Section", "Other", "1"));
        IniDocument again(doc.bytes());
        ASSERT_EQ(again.read("S", "Key"), "value") << "round " << round;
        ASSERT_EQ(again.read("fresh section", "other"), "1") << "round " << round;
    }
}
