#include <gtest/gtest.h>

#include <string>

#include "naming/ascii_case.h"
#include "naming/editor_title.h"
#include "naming/extension_pairs.h"

namespace {

// The lead bytes of an ANSI code page, as the platform lists them; none for
// 0 (a single-byte code page, such as 1252).
LeadBytes LeadBytesOf(unsigned codePage) {
    static const unsigned char Japanese[] = {0x81, 0x9F, 0xE0, 0xFC, 0, 0};
    static const unsigned char Chinese[] = {0x81, 0xFE, 0, 0};
    if (codePage == 932)
        return LeadBytes::FromRanges(Japanese, sizeof Japanese);
    if (codePage == 936)
        return LeadBytes::FromRanges(Chinese, sizeof Chinese);
    return LeadBytes();
}

std::string CodePageTrace(unsigned codePage) {
    return codePage ? " in code page " + std::to_string(codePage) : "";
}

struct TitleCase {
    const char* title;
    const char* normalized;
    const char* name;
    const char* extension;
    unsigned codePage = 0;
};

const TitleCase TitleCases[] = {
    {"C:\\src\\main.cpp", "C:\\src\\main.cpp", "main", ".cpp"},
    {"C:\\src\\main.cpp:2", "C:\\src\\main.cpp", "main", ".cpp"},
    {"main.cpp:2", "main.cpp", "main", ".cpp"},
    {"x:1", "x:1", "1", ""},
    {"main.cpp:2 extra", "main.cpp", "main", ".cpp"},
    {"my file.cpp:2", "my", "my", ""},
    {"a.b.cpp", "a.b.cpp", "a.b", ".cpp"},
    {"C:\\dir.d\\file", "C:\\dir.d\\file", "file", ""},
    {":main.cpp", "", "", ""},
    {" main.cpp", "", "", ""},
    {"", "", "", ""},
    {"C:\\SRC\\MAIN.CPP", "C:\\SRC\\MAIN.CPP", "MAIN", ".CPP"},
    {"plain", "plain", "plain", ""},
    {".h", ".h", "", ".h"},
    // A space in a folder is part of the path, not a suffix.
    {"C:\\my src\\main.cpp", "C:\\my src\\main.cpp", "main", ".cpp"},
    {"C:\\Program Files\\app\\util.h", "C:\\Program Files\\app\\util.h", "util", ".h"},
    {"C:\\src\\main.cpp [Read Only]", "C:\\src\\main.cpp", "main", ".cpp"},
    {"C:\\my src\\main.cpp:2 extra", "C:\\my src\\main.cpp", "main", ".cpp"},
    // Forward slashes separate folders too.
    {"C:/src/main.h", "C:/src/main.h", "main", ".h"},
    // The space rule starts after the last backslash only, so a suffix may
    // hold a slash; a slashed folder with a space is cut there.
    {"C:\\src\\main.cpp [1/2]", "C:\\src\\main.cpp", "main", ".cpp"},
    {"C:\\my src/x y.rc", "C:\\my", "my", ""},
    {"C:/my src/main.cpp", "C:/my", "my", ""},
    {"C:\\src\\d.x/f", "C:\\src\\d.x/f", "f", ""},
    // A drive-relative path: the drive goes, whatever the letter's case.
    {"C:main.cpp", "C:main.cpp", "main", ".cpp"},
    // Double-byte code pages: a second byte 0x5C (表, ソ) is no backslash,
    // neither for the folders nor for the space rule; in a single-byte code
    // page it is one.
    {"C:\\src\\\x95\x5C.h", "C:\\src\\\x95\x5C.h", "\x95\x5C", ".h", 932},
    {"C:\\src\\\x95\x5C.h", "C:\\src\\\x95\x5C.h", "", ".h"},
    {"C:\\src\\\x83\x5C\x83\x5C.cpp:3", "C:\\src\\\x83\x5C\x83\x5C.cpp", "\x83\x5C\x83\x5C", ".cpp", 936},
    {"C:\\d\\\x95\x5C x.cpp", "C:\\d\\\x95\x5C", "\x95\x5C", "", 932},
    {"C:\\d\\\x95\x5C x.cpp", "C:\\d\\\x95\x5C", "", ""},
    {"\x95\x5Cmain.h", "\x95\x5Cmain.h", "\x95\x5Cmain", ".h", 932},
    {"\x95\x5Cmain.h", "\x95\x5Cmain.h", "main", ".h"},
    // A lead byte just before the end stands alone.
    {"C:\\src\\a.h\x95", "C:\\src\\a.h\x95", "a", ".h\x95", 932},
};

TEST(EditorTitle, NormalizesAndSplitsTitles) {
    for (const TitleCase& c : TitleCases) {
        SCOPED_TRACE(std::string("title \"") + c.title + "\"" + CodePageTrace(c.codePage));
        const LeadBytes leadBytes = LeadBytesOf(c.codePage);
        EXPECT_STREQ(c.normalized, NormalizeEditorTitle(c.title, leadBytes).c_str());

        char name[FileNameBufferSize];
        char extension[ExtensionBufferSize];
        const NarrowString base =
            SplitEditorTitle(c.title, name, sizeof name, extension, sizeof extension, leadBytes);
        EXPECT_STREQ(c.name, name);
        EXPECT_STREQ(c.extension, extension);
        EXPECT_EQ(std::string(c.name) + c.extension, base.c_str());
        EXPECT_EQ(std::string(c.name) + c.extension, EditorBaseName(c.title, leadBytes).c_str());
    }
}

TEST(EditorTitle, NullTitleIsEmpty) {
    char name[FileNameBufferSize] = "x";
    char extension[ExtensionBufferSize] = "y";
    EXPECT_STREQ("", SplitEditorTitle(nullptr, name, sizeof name, extension, sizeof extension).c_str());
    EXPECT_STREQ("", name);
    EXPECT_STREQ("", extension);
    EXPECT_STREQ("", NormalizeEditorTitle(nullptr).c_str());
}

// Writes the title's parts into buffers with a guard band behind them, so
// that a write past the stated size shows.
struct GuardedSplit {
    static constexpr size_t Guard = 64;
    char name[FileNameBufferSize + Guard];
    char extension[ExtensionBufferSize + Guard];
    std::string base;

    explicit GuardedSplit(const std::string& title, const LeadBytes& leadBytes) {
        memset(name, '#', sizeof name);
        memset(extension, '#', sizeof extension);
        base = SplitEditorTitle(title.c_str(), name, FileNameBufferSize,
                                extension, ExtensionBufferSize, leadBytes).c_str();
    }
    bool GuardsIntact() const {
        return std::string(name + FileNameBufferSize, Guard) == std::string(Guard, '#') &&
               std::string(extension + ExtensionBufferSize, Guard) == std::string(Guard, '#');
    }
};

TEST(EditorTitle, CutsOverlongPartsToTheirBuffers) {
    const std::string longName(1000, 'n');
    const std::string longExtension = "." + std::string(1000, 'e');
    // ア (0x83 0x41) as the 255th and 256th bytes: it does not fit whole.
    const std::string a = "\x83\x41";
    const struct {
        std::string title;
        std::string name;
        std::string extension;
        unsigned codePage = 0;
    } cases[] = {
        {std::string(254, 'n') + a + ".h", std::string(254, 'n'), ".h", 932},
        {std::string(254, 'n') + a + ".h", std::string(254, 'n') + "\x83", ".h"},
        {"main." + std::string(253, 'e') + a, "main", "." + std::string(253, 'e'), 932},
        {std::string(253, 'n') + a + ".h", std::string(253, 'n') + a, ".h", 932},
        {"C:\\src\\" + longName + ".h", std::string(255, 'n'), ".h"},
        {"C:\\src\\main" + longExtension, "main", "." + std::string(254, 'e')},
        {longName + longExtension, std::string(255, 'n'), "." + std::string(254, 'e')},
        {std::string(100000, 'a') + ".cpp", std::string(255, 'a'), ".cpp"},
        {std::string(5000, ':'), std::string(255, ':'), ""},
        {"C:\\" + std::string(100000, '\\') + "main.cpp", "main", ".cpp"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE("title of " + std::to_string(c.title.size()) + " bytes" + CodePageTrace(c.codePage));
        GuardedSplit split(c.title, LeadBytesOf(c.codePage));
        EXPECT_TRUE(split.GuardsIntact());
        EXPECT_EQ(c.name, split.name);
        EXPECT_EQ(c.extension, split.extension);
        EXPECT_EQ(c.name + c.extension, split.base);
    }
}

TEST(EditorTitle, NormalizesVeryLongTitles) {
    // Only the last colon cuts.
    const std::string colons(5000, ':');
    EXPECT_EQ(4999u, NormalizeEditorTitle(colons.c_str()).size());
    const std::string spaced = "C:\\" + std::string(100000, 'd') + " suffix";
    EXPECT_EQ(spaced.size() - 7, NormalizeEditorTitle(spaced.c_str()).size());
}

struct ExtensionCase {
    const char* extension;
    FileKind kind;
    const char* counterpart;  // null: none
};

const ExtensionCase ExtensionCases[] = {
    {".h", FileKind::Header, ".cpp"},
    {".H", FileKind::Header, ".cpp"},
    {".cpp", FileKind::Source, ".h"},
    {".CPP", FileKind::Source, ".h"},
    {".hxx", FileKind::Header, ".cxx"},
    {".Cxx", FileKind::Source, ".hxx"},
    {".rh", FileKind::Header, ".rc"},
    {".rc", FileKind::Source, ".rh"},
    {".c", FileKind::Unpaired, nullptr},
    {".hpp", FileKind::Unpaired, nullptr},
    {"", FileKind::Unpaired, nullptr},
    {"cpp", FileKind::Unpaired, nullptr},
    {".cpp ", FileKind::Unpaired, nullptr},
    {".cp", FileKind::Unpaired, nullptr},
    // 0xC8 is a letter in Latin-1 code pages; only ASCII letters fold.
    {".\xC8", FileKind::Unpaired, nullptr},
    {".h\xC8", FileKind::Unpaired, nullptr},
};

TEST(ExtensionPairs, ClassifiesAndPairsExtensions) {
    for (const ExtensionCase& c : ExtensionCases) {
        SCOPED_TRACE(std::string("extension \"") + c.extension + "\"");
        EXPECT_EQ(c.kind, ClassifyExtension(c.extension));
        if (c.kind == FileKind::Unpaired)
            continue;
        const char* counterpart = CounterpartExtension(c.kind, c.extension);
        ASSERT_NE(nullptr, counterpart);
        EXPECT_STREQ(c.counterpart, counterpart);
    }
}

TEST(ExtensionPairs, CounterpartNeedsTheMatchingColumn) {
    EXPECT_EQ(nullptr, CounterpartExtension(FileKind::Source, ".h"));
    EXPECT_EQ(nullptr, CounterpartExtension(FileKind::Header, ".cpp"));
    EXPECT_EQ(nullptr, CounterpartExtension(FileKind::Unpaired, ".h"));
    EXPECT_EQ(nullptr, CounterpartExtension(FileKind::Header, ".c"));
}

TEST(AsciiCase, FoldsOnlyAsciiLetters) {
    const struct {
        const char* a;
        const char* b;
        bool equal;
        unsigned codePage = 0;
    } cases[] = {
        {"main.cpp", "MAIN.CPP", true},
        {"AZaz", "azAZ", true},
        {"main.cpp", "main.cp", false},
        {"", "", true},
        {"a", "", false},
        // Latin-1 E-grave and e-grave differ by 0x20 like ASCII case, but are
        // not ASCII and must not fold; neither may bytes above 0x80 match
        // ASCII letters by sign or by a negative index.
        {"\xC8", "\xE8", false},
        {"\xC8", "\xC8", true},
        {"\xFF", "\x7F", false},
        {"\xC1", "A", false},
        {"\xE1", "a", false},
        {"@", "`", false},
        {"[", "{", false},
        // ア (0x83 0x41) and ヂ (0x83 0x61) differ in a second byte that a
        // single-byte code page reads as A and a.
        {"\x83\x41.h", "\x83\x61.h", false, 932},
        {"\x83\x41.h", "\x83\x61.h", true},
        {"\x83\x41Z.H", "\x83\x41z.h", true, 932},
        {"\x83", "\x83", true, 932},
        {"\x83\x41", "\x83", false, 932},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string("\"") + c.a + "\" vs \"" + c.b + "\"" + CodePageTrace(c.codePage));
        const LeadBytes leadBytes = LeadBytesOf(c.codePage);
        EXPECT_EQ(c.equal, EqualsIgnoringCase(c.a, c.b, leadBytes));
        EXPECT_EQ(c.equal, EqualsIgnoringCase(c.b, c.a, leadBytes));
    }
}

TEST(LeadBytes, ReadsThePlatformsRanges) {
    // Inclusive pairs, ended by a pair of zeros or by the end of the list.
    const unsigned char endedByZeros[] = {0x81, 0x9F, 0, 0, 0xE0, 0xFC};
    const unsigned char endedBySize[] = {0x81, 0x82, 0xE0};
    const unsigned char fromZero[] = {0, 0x81, 0, 0};
    const struct {
        const char* what;
        LeadBytes leadBytes;
        unsigned char byte;
        bool lead;
    } cases[] = {
        {"first of a range", LeadBytes::FromRanges(endedByZeros, sizeof endedByZeros), 0x81, true},
        {"last of a range", LeadBytes::FromRanges(endedByZeros, sizeof endedByZeros), 0x9F, true},
        {"past a range", LeadBytes::FromRanges(endedByZeros, sizeof endedByZeros), 0xA0, false},
        {"after the zeros", LeadBytes::FromRanges(endedByZeros, sizeof endedByZeros), 0xE0, false},
        {"a range cut by the size", LeadBytes::FromRanges(endedBySize, sizeof endedBySize), 0xE0, false},
        {"the terminator", LeadBytes::FromRanges(fromZero, sizeof fromZero), 0, false},
        {"after the terminator", LeadBytes::FromRanges(fromZero, sizeof fromZero), 0x81, true},
        {"no list", LeadBytes::FromRanges(nullptr, 12), 0x81, false},
        {"the default", LeadBytes(), 0x81, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        EXPECT_EQ(c.lead, c.leadBytes.IsLead(c.byte));
    }
}

}  // namespace
