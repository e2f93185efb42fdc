#include <gtest/gtest.h>

#include <string>

#include "naming/ascii_case.h"
#include "naming/editor_title.h"
#include "naming/extension_pairs.h"

namespace {

struct TitleCase {
    const char* title;
    const char* normalized;
    const char* name;
    const char* extension;
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
};

TEST(EditorTitle, NormalizesAndSplitsTitles) {
    for (const TitleCase& c : TitleCases) {
        SCOPED_TRACE(std::string("title \"") + c.title + "\"");
        EXPECT_STREQ(c.normalized, NormalizeEditorTitle(c.title).c_str());

        char name[FileNameBufferSize];
        char extension[ExtensionBufferSize];
        const NarrowString base = SplitEditorTitle(c.title, name, sizeof name, extension, sizeof extension);
        EXPECT_STREQ(c.name, name);
        EXPECT_STREQ(c.extension, extension);
        EXPECT_EQ(std::string(c.name) + c.extension, base.c_str());
        EXPECT_EQ(std::string(c.name) + c.extension, EditorBaseName(c.title).c_str());
    }
}

TEST(EditorTitle, LeavesTheCallersTitleUnchanged) {
    char title[] = "C:\\my src\\main.cpp:2 extra";
    const std::string before = title;
    char name[FileNameBufferSize];
    char extension[ExtensionBufferSize];
    SplitEditorTitle(title, name, sizeof name, extension, sizeof extension);
    NormalizeEditorTitle(title);
    EXPECT_EQ(before, title);
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

    explicit GuardedSplit(const std::string& title) {
        memset(name, '#', sizeof name);
        memset(extension, '#', sizeof extension);
        base = SplitEditorTitle(title.c_str(), name, FileNameBufferSize,
                                extension, ExtensionBufferSize).c_str();
    }
    bool GuardsIntact() const {
        return std::string(name + FileNameBufferSize, Guard) == std::string(Guard, '#') &&
               std::string(extension + ExtensionBufferSize, Guard) == std::string(Guard, '#');
    }
};

TEST(EditorTitle, CutsOverlongPartsToTheirBuffers) {
    const std::string longName(1000, 'n');
    const std::string longExtension = "." + std::string(1000, 'e');
    const struct {
        std::string title;
        std::string name;
        std::string extension;
    } cases[] = {
        {"C:\\src\\" + longName + ".h", std::string(255, 'n'), ".h"},
        {"C:\\src\\main" + longExtension, "main", "." + std::string(254, 'e')},
        {longName + longExtension, std::string(255, 'n'), "." + std::string(254, 'e')},
        {std::string(100000, 'a') + ".cpp", std::string(255, 'a'), ".cpp"},
        {std::string(5000, ':'), std::string(255, ':'), ""},
        {"C:\\" + std::string(100000, '\\') + "main.cpp", "main", ".cpp"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE("title of " + std::to_string(c.title.size()) + " characters");
        GuardedSplit split(c.title);
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
    } cases[] = {
        {"main.cpp", "MAIN.CPP", true},
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
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string("\"") + c.a + "\" vs \"" + c.b + "\"");
        EXPECT_EQ(c.equal, EqualsIgnoringCase(c.a, c.b));
        EXPECT_EQ(c.equal, EqualsIgnoringCase(c.b, c.a));
    }
}

}  // namespace
