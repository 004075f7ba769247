#include "platform/IniDocument.h"

#include <gtest/gtest.h>

#include <optional>
#include <random>
#include <string>

using vexlo::platform::IniDocument;
using namespace std::string_literals;

namespace {

struct ReadRow {
    const char* name;
    std::string text;
    std::string section;
    std::string key;
    std::optional<std::string> expected;
};

TEST(IniDocumentRead, FindsValuesByTheProfileRules) {
    const ReadRow rows[] = {
        {"plain", "[VEXLO]\nFontDef=Arial\n", "VEXLO", "FontDef", "Arial"},
        {"names ignore case", "[vexlo]\nFONTDEF=Arial\n", "VEXLO", "FontDef", "Arial"},
        {"blanks around names and value", "  [ VEXLO ]  \n\t FontDef\t=  Arial Black \t\n", "VEXLO",
         "FontDef", "Arial Black"},
        {"double quotes removed", "[VEXLO]\nA=\"  x y \"\n", "VEXLO", "A", "  x y "},
        {"single quotes removed", "[VEXLO]\nA='x'\n", "VEXLO", "A", "x"},
        {"unmatched quote kept", "[VEXLO]\nA=\"x\n", "VEXLO", "A", "\"x"},
        {"mixed quotes kept", "[VEXLO]\nA=\"x'\n", "VEXLO", "A", "\"x'"},
        {"lone quote kept", "[VEXLO]\nA=\"\n", "VEXLO", "A", "\""},
        {"empty value is present", "[VEXLO]\nA=\n", "VEXLO", "A", ""},
        {"equals sign inside value", "[VEXLO]\nA=b=c\n", "VEXLO", "A", "b=c"},
        {"comment line is no key", "[VEXLO]\n;A=1\n", "VEXLO", "A", std::nullopt},
        {"indented comment line is no key", "[VEXLO]\n \t;A=1\n", "VEXLO", "A", std::nullopt},
        {"comment line with blanks after the mark", "[VEXLO]\n; A=1\n", "VEXLO", "A", std::nullopt},
        {"comment line is no key named with its mark", "[VEXLO]\n;A=1\n", "VEXLO", ";A",
         std::nullopt},
        {"indented comment line is no key named with its mark", "[VEXLO]\n \t;A=1\n", "VEXLO", ";A",
         std::nullopt},
        {"comment line does not hide the key after it", "[VEXLO]\n;A=1\nA=2\n", "VEXLO", "A", "2"},
        {"semicolon inside a value is kept", "[VEXLO]\nA=1;2 ; note\n", "VEXLO", "A", "1;2 ; note"},
        {"semicolon inside a key name", "[VEXLO]\nA;B=1\n", "VEXLO", "A;B", "1"},
        {"hash is no comment mark", "[VEXLO]\n#A=1\n", "VEXLO", "#A", "1"},
        {"commented section header is no section", "[O]\n;[VEXLO]\nA=1\n", "VEXLO", "A",
         std::nullopt},
        {"commented header leaves the section open", "[VEXLO]\n;[O]\nA=1\n", "VEXLO", "A", "1"},
        {"first duplicate wins", "[VEXLO]\nA=1\nA=2\n", "VEXLO", "A", "1"},
        {"missing key", "[VEXLO]\nB=1\n", "VEXLO", "A", std::nullopt},
        {"missing section", "[OTHER]\nA=1\n", "VEXLO", "A", std::nullopt},
        {"key of another section", "[VEXLO]\nB=1\n[OTHER]\nA=1\n", "VEXLO", "A", std::nullopt},
        {"key before any section", "A=1\n[VEXLO]\nB=2\n", "VEXLO", "A", std::nullopt},
        {"section named twice", "[VEXLO]\nB=1\n[O]\nA=0\n[Vexlo]\nA=2\n", "VEXLO", "A", "2"},
        {"line without equals ignored", "[VEXLO]\nA\nA=3\n", "VEXLO", "A", "3"},
        {"CRLF line ends", "[VEXLO]\r\nA=1\r\nB=2\r\n", "VEXLO", "B", "2"},
        {"byte order mark", "\xEF\xBB\xBF[VEXLO]\nA=1\n", "VEXLO", "A", "1"},
        {"no final line end", "[VEXLO]\nA=1", "VEXLO", "A", "1"},
        {"text after section header", "[VEXLO] ; main\nA=1\n", "VEXLO", "A", "1"},
        {"unclosed header is no section", "[VEXLO]\n[OTHER\nA=1\n", "VEXLO", "A", "1"},
        {"NUL bytes kept in value", "[VEXLO]\nA=x\0y\n"s, "VEXLO", "A", "x\0y"s},
        {"NUL junk line skipped", "[VEXLO]\n\0\0\0\xff\nA=1\n"s, "VEXLO", "A", "1"},
        {"lone CR line ends", "[VEXLO]\rA=1\rB=2\r", "VEXLO", "B", "2"},
        {"lone CR, no final line end", "[VEXLO]\rA=1", "VEXLO", "A", "1"},
        {"lone CR and LF mixed", "[VEXLO]\rA=1\nB=2\r\nC=3", "VEXLO", "C", "3"},
        {"CR ends a value", "[VEXLO]\rA=1\rz\n", "VEXLO", "A", "1"},
        {"non-ASCII letters compared as bytes", "[VEXLO]\n\xC3\xA4=1\n", "VEXLO", "\xC3\x84",
         std::nullopt},
        {"empty text", "", "VEXLO", "A", std::nullopt},
    };
    for (const ReadRow& row : rows) {
        EXPECT_EQ(IniDocument(row.text).value(row.section, row.key), row.expected) << row.name;
    }
}

struct EditRow {
    const char* name;
    std::string before;
    std::string key;
    std::string value;
    std::string after;
};

TEST(IniDocumentEdit, ChangesOneLineAndKeepsEveryOtherByte) {
    const EditRow rows[] = {
        {"empty text", "", "A", "1", "[VEXLO]\nA=1\n"},
        {"replace keeps the rest", "; comment\n[VEXLO]\nX=9\nA=old\nY=8\n[O]\nA=z\nunknown line\n",
         "A", "1", "; comment\n[VEXLO]\nX=9\nA=1\nY=8\n[O]\nA=z\nunknown line\n"},
        {"replace keeps spelling and indentation", "[vexlo]\n  fontdef = Old \n", "FontDef", "New",
         "[vexlo]\n  fontdef=New\n"},
        {"replace first duplicate only", "[VEXLO]\nA=1\nA=2\n", "A", "3", "[VEXLO]\nA=3\nA=2\n"},
        {"replace keeps CRLF", "[VEXLO]\r\nA=0\r\nB=1\r\n", "A", "5", "[VEXLO]\r\nA=5\r\nB=1\r\n"},
        {"replace in second occurrence of section", "[VEXLO]\nB=1\n[O]\n[VEXLO]\nA=0\n", "A", "2",
         "[VEXLO]\nB=1\n[O]\n[VEXLO]\nA=2\n"},
        {"append before trailing blank lines", "[VEXLO]\nA=0\n\n\n[O]\nk=v\n", "B", "1",
         "[VEXLO]\nA=0\nB=1\n\n\n[O]\nk=v\n"},
        {"append after comment ending the section", "[VEXLO]\nA=0\n; note\n\n[O]\n", "B", "1",
         "[VEXLO]\nA=0\n; note\nB=1\n\n[O]\n"},
        {"append to first occurrence of section", "[VEXLO]\nA=0\n[O]\n[VEXLO]\nC=0\n", "B", "1",
         "[VEXLO]\nA=0\nB=1\n[O]\n[VEXLO]\nC=0\n"},
        {"append when last line has no end", "[VEXLO]\nA=0", "B", "1", "[VEXLO]\nA=0\nB=1"},
        {"append after header without line end", "[VEXLO]", "B", "1", "[VEXLO]\nB=1"},
        {"append in CRLF file", "[VEXLO]\r\nA=0\r\n", "B", "1", "[VEXLO]\r\nA=0\r\nB=1\r\n"},
        {"commented key is not replaced", "[VEXLO]\n;A=0\n", "A", "1", "[VEXLO]\n;A=0\nA=1\n"},
        {"indented commented key is not replaced", "[VEXLO]\n  ;A=0\n", "A", "1",
         "[VEXLO]\n  ;A=0\nA=1\n"},
        {"key after its commented line is replaced", "[VEXLO]\n;A=0\nA=5\n", "A", "1",
         "[VEXLO]\n;A=0\nA=1\n"},
        {"replace in CR file", "[VEXLO]\rA=0\rB=1\r", "A", "5", "[VEXLO]\rA=5\rB=1\r"},
        {"append in CR file", "[VEXLO]\rA=0\r", "B", "1", "[VEXLO]\rA=0\rB=1\r"},
        {"append in CR file, no final line end", "[VEXLO]\rA=0", "B", "1", "[VEXLO]\rA=0\rB=1"},
        {"new section in CR file", "[O]\rk=v\r", "A", "1", "[O]\rk=v\r\r[VEXLO]\rA=1\r"},
        {"new section in CR file, no final line end", "[O]\rk=v", "A", "1",
         "[O]\rk=v\r\r[VEXLO]\rA=1\r"},
        {"new section after others", "[O]\nk=v\n", "A", "1", "[O]\nk=v\n\n[VEXLO]\nA=1\n"},
        {"new section, no final line end", "[O]\nk=v", "A", "1", "[O]\nk=v\n\n[VEXLO]\nA=1\n"},
        {"new section after blank line", "[O]\nk=v\n\n", "A", "1", "[O]\nk=v\n\n[VEXLO]\nA=1\n"},
        {"new section in CRLF file", "[O]\r\nk=v\r\n", "A", "1",
         "[O]\r\nk=v\r\n\r\n[VEXLO]\r\nA=1\r\n"},
        {"keys outside any section", "A=5\n", "A", "1", "A=5\n\n[VEXLO]\nA=1\n"},
        {"only blank lines", "\n\n", "A", "1", "\n\n[VEXLO]\nA=1\n"},
        {"byte order mark kept", "\xEF\xBB\xBF[VEXLO]\nA=0\n", "A", "1",
         "\xEF\xBB\xBF[VEXLO]\nA=1\n"},
        {"byte order mark alone", "\xEF\xBB\xBF", "A", "1", "\xEF\xBB\xBF[VEXLO]\nA=1\n"},
        {"NUL junk kept", "[VEXLO]\n\0\xff\0\nA=0\n"s, "A", "1", "[VEXLO]\n\0\xff\0\nA=1\n"s},
        {"blank-edged value quoted", "", "A", " x ", "[VEXLO]\nA=\" x \"\n"},
        {"quoted value quoted again", "", "A", "\"q\"", "[VEXLO]\nA=\"\"q\"\"\n"},
        {"line breaks in value become blanks", "", "A", "a\r\nb", "[VEXLO]\nA=a  b\n"},
    };
    for (const EditRow& row : rows) {
        IniDocument document(row.before);
        EXPECT_TRUE(document.setValue("VEXLO", row.key, row.value)) << row.name;
        EXPECT_EQ(document.text(), row.after) << row.name;
    }
}

TEST(IniDocumentEdit, ValuesReadBackAsWritten) {
    const std::string values[] = {"",     " ",     "a",         " a",     "a ",     "\"a\"",
                                  "'a'",  "\"",    "'",         "a=b",    ";x",     "[x]",
                                  "\"a'", "x\0y"s, "ＭＳ 明朝", "&HFFFF", "1,234.", "\t"};
    for (const std::string& value : values) {
        IniDocument document("[VEXLO]\nA=old\n");
        ASSERT_TRUE(document.setValue("VEXLO", "A", value));
        EXPECT_EQ(document.value("VEXLO", "A"), value) << document.text();
        IniDocument fresh;
        ASSERT_TRUE(fresh.setValue("VEXLO", "B", value));
        EXPECT_EQ(fresh.value("VEXLO", "B"), value) << fresh.text();
    }
}

TEST(IniDocumentEdit, RefusesNamesThatCannotBeALine) {
    const std::pair<std::string, std::string> names[] = {
        {"VEXLO", ""},   {"VEXLO", "a=b"}, {"VEXLO", " a"}, {"VEXLO", "a\n"}, {"VEXLO", ";a"},
        {"VEXLO", "[a"}, {"V]X", "a"},     {" VEXLO", "a"}, {"VEX\nLO", "a"},
    };
    for (const auto& [section, key] : names) {
        IniDocument document("[VEXLO]\nA=1\n");
        EXPECT_FALSE(document.setValue(section, key, "1")) << section << "/" << key;
        EXPECT_EQ(document.text(), "[VEXLO]\nA=1\n");
    }
}

TEST(IniDocumentEdit, LineEndFollowsTheFile) {
    EXPECT_EQ(IniDocument("").lineEnd(), "\n");
    EXPECT_EQ(IniDocument("[A]").lineEnd(), "\n");
    EXPECT_EQ(IniDocument("[A]\r\nB=1\n").lineEnd(), "\r\n");
    EXPECT_EQ(IniDocument("[A]\nB=1\r\n").lineEnd(), "\n");
    EXPECT_EQ(IniDocument("[A]\rB=1\r\n").lineEnd(), "\r");
    EXPECT_EQ(IniDocument("[A]\r").lineEnd(), "\r");
    EXPECT_EQ(IniDocument("\r\n").lineEnd(), "\r\n");
    EXPECT_EQ(IniDocument("\xEF\xBB\xBF[A]\r").lineEnd(), "\r");
}

TEST(IniDocumentJunk, HugeLinesAndTextsAreHandled) {
    const std::string longValue(100000, 'x');
    IniDocument document("[VEXLO]\nA=" + longValue + "\nB=2\n");
    EXPECT_EQ(document.value("VEXLO", "A"), longValue);
    EXPECT_EQ(document.value("VEXLO", "B"), "2");
    ASSERT_TRUE(document.setValue("VEXLO", "B", "3"));
    EXPECT_EQ(document.text(), "[VEXLO]\nA=" + longValue + "\nB=3\n");

    // Ten megabytes of short key lines: every operation stays one pass.
    std::string many = "[VEXLO]\n";
    while (many.size() < 10'000'000) many += "k=v\n";
    IniDocument big(many);
    EXPECT_EQ(big.value("VEXLO", "missing"), std::nullopt);
    ASSERT_TRUE(big.setValue("VEXLO", "missing", "1"));
    EXPECT_EQ(big.text(), many + "missing=1\n");
}

TEST(IniDocumentJunk, RandomBytesNeverBreakReadingOrWriting) {
    std::mt19937 random(20240611);
    for (int round = 0; round < 20; ++round) {
        std::string junk(1 << 16, '\0');
        for (char& c : junk) c = static_cast<char>(random());
        if (round % 2 == 0) {
            // Plenty of structure characters too.
            for (std::size_t i = 0; i < junk.size(); i += 7) junk[i] = "[]=\n;\r\"'"[random() % 8];
        }
        IniDocument document(junk);
        (void)document.value("VEXLO", "FontDef");
        ASSERT_TRUE(document.setValue("VEXLO", "FontDef", "Arial"));
        EXPECT_EQ(document.value("VEXLO", "FontDef"), "Arial");
        ASSERT_TRUE(document.setValue("VEXLO", "FontDef", "Gothic"));
        EXPECT_EQ(document.value("VEXLO", "FontDef"), "Gothic");
    }
}

}  // namespace
