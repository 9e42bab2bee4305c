#include <gtest/gtest.h>

#include "cli/csv.h"

namespace levywise::cli {
namespace {

// Every record as "field|field|...", with " !problem" after a malformed one
// and "@line" before each.
std::string readAll(const std::string& text, std::size_t chunk = 1 << 16, std::size_t expected = 0,
                    std::size_t maxRecord = 1 << 20) {
    StringSource source(text, chunk);
    CsvReader reader(source, maxRecord);
    reader.expectFields(expected);
    CsvRecord record;
    std::string out;
    while (reader.next(record)) {
        out += "@" + std::to_string(record.Line) + " ";
        for (std::size_t i = 0; i < record.Fields.size(); ++i)
            out += (i ? "|" : "") + std::string(record.Fields[i]);
        if (!record.Problem.empty()) out += " !" + std::string(record.Problem);
        out += "\n";
    }
    return out;
}

TEST(CsvReader, ReadsQuotingAndLineEndsOfEveryKind) {
    struct Case {
        std::string name, text, records;
    };
    for (const Case& c : std::vector<Case>{
             {"crlf and no final line end", "a,b\r\n1,2", "@1 a|b\n@2 1|2\n"},
             {"one byte after the last line end", "a,b\n1", "@1 a|b\n@2 1\n"},
             {"lone cr", "a\rb\r", "@1 a\n@2 b\n"},
             {"empty fields", ",,\n", "@1 ||\n"},
             {"quoted comma and quote", "\"x, y\",\"say \"\"hi\"\"\"\n", "@1 x, y|say \"hi\"\n"},
             {"empty quoted", "\"\",a\n", "@1 |a\n"},
             {"line break inside quotes", "\"two\r\nlines\",b\nnext\n",
              "@1 two\r\nlines|b\n@3 next\n"},
             {"quote inside a plain field", "5\" pipe,b\n", "@1 5\" pipe|b\n"},
             {"empty lines skipped", "a\n\n\r\n\nb\n", "@1 a\n@5 b\n"},
             {"byte order mark", "\xEF\xBB\xBFid,value\n", "@1 id|value\n"},
             {"text after a closing quote", "\"ab\"c,d\ne\n",
              "@1 ab !a closing quote must be followed by a comma or the end of the line\n@2 e\n"},
             {"quote never closed", "a,\"b,c\nd,e\n",
              "@1 a|b,c !a quoted field is not closed\n@2 d|e\n"},
         }) {
        EXPECT_EQ(readAll(c.text), c.records) << c.name;
        // Fed one byte at a time, the reader must find the same records.
        EXPECT_EQ(readAll(c.text, 1), c.records) << c.name << " (byte by byte)";
    }
}

TEST(CsvReader, AnOpenQuoteNeverSwallowsTheRowsBelowIt) {
    // The stray quote of row 2 is closed by accident on row 4; the rows in
    // between must still be read, each on its own.
    const std::string text = "id,v\n1,\"2\n3,4\n5,x\",6\n7,8\n";
    EXPECT_EQ(readAll(text, 1 << 16, 2),
              "@1 id|v\n@2 1|2 !a quoted field is not closed\n@3 3|4\n@4 5|x\"|6\n@5 7|8\n");
    // A real field over two lines, with the expected number of fields, stays whole.
    EXPECT_EQ(readAll("id,v\n1,\"a\nb\"\n2,c\n", 1 << 16, 2), "@1 id|v\n@2 1|a\nb\n@4 2|c\n");
}

TEST(CsvReader, ATooLongRowIsReportedAndReadingGoesOn) {
    const std::string longLine(100, 'x');
    EXPECT_EQ(readAll("a,b\n" + longLine + "\nc,d\n", 7, 0, 50),
              "@1 a|b\n@2  !the row is too long\n@3 c|d\n");
    // A quote left open over many lines ends at the limit, not at the end of the input.
    std::string text = "\"open,1\n";
    for (int i = 0; i < 20; ++i) text += "r" + std::to_string(i) + ",2\n";
    const std::string records = readAll(text, 3, 0, 40);
    EXPECT_EQ(records.substr(0, records.find('\n')), "@1 open,1 !a quoted field is not closed");
    EXPECT_NE(records.find("@21 r19|2\n"), std::string::npos) << records;
}

TEST(CsvWriter, QuotesOnlyWhatNeedsIt) {
    StringSink sink;
    {
        CsvWriter w(sink);
        for (const char* field : {"plain", "a,b", "say \"hi\"", "two\nlines", "", "cr\r"})
            w.field(field);
        w.endRow();
        w.unquotedField("1.00");
        w.endRow();
        for (const char* text : {"=SUM(A1)", "+1", "-1,5", "@x", "a=b", "\t=1+1", "\r=1"})
            w.textField(text);
        w.field("-5");
        w.endRow();
    }
    EXPECT_EQ(sink.text, "plain,\"a,b\",\"say \"\"hi\"\"\",\"two\nlines\",,\"cr\r\"\n1.00\n"
                         "'=SUM(A1),'+1,\"'-1,5\",'@x,a=b,'\t=1+1,\"'\r=1\",-5\n");
}

} // namespace
} // namespace levywise::cli
