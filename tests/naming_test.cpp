#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <string>

#include "naming/char_strings.h"
#include "naming/editor_title.h"
#include "naming/extension_pairs.h"

// Under AddressSanitizer a request for more than memory holds ends the
// program unless the allocator may return null, as malloc does elsewhere;
// NarrowString's test asks for that much. Read only by AddressSanitizer.
extern "C" const char* __asan_default_options() {
    return "allocator_may_return_null=1";
}

namespace {

// No code page has it: the capitals and the colon start double-byte
// characters. The parser reads whatever lead bytes it is given character by
// character, ASCII ones included (the fuzzer gives it such lists too).
constexpr unsigned AsciiLeadBytes = 1;

// The lead bytes of an ANSI code page, as the platform lists them; none for
// 0 (a single-byte code page, such as 1252).
LeadBytes LeadBytesOf(unsigned codePage) {
    static const unsigned char Japanese[] = {0x81, 0x9F, 0xE0, 0xFC, 0, 0};
    static const unsigned char Chinese[] = {0x81, 0xFE, 0, 0};
    static const unsigned char Ascii[] = {'A', 'Z', ':', ':', 0, 0};
    if (codePage == 932)
        return LeadBytes::FromRanges(Japanese, sizeof Japanese);
    if (codePage == 936)
        return LeadBytes::FromRanges(Chinese, sizeof Chinese);
    if (codePage == AsciiLeadBytes)
        return LeadBytes::FromRanges(Ascii, sizeof Ascii);
    return LeadBytes();
}

std::string CodePageTrace(unsigned codePage) {
    if (codePage == AsciiLeadBytes)
        return " with ASCII lead bytes";
    return codePage ? " in code page " + std::to_string(codePage) : "";
}

// A string argument for a trace, null included.
std::string Quoted(const char* text) {
    return text ? std::string("\"") + text + "\"" : "null";
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
    // Only a letter makes a drive: '{' follows 'z'.
    {"{:1", "{:1", "{:1", ""},
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
    // A drive-relative path: the drive goes, whatever the letter's case,
    // from A to Z; the characters just outside the letters make no drive,
    // and their colon at index 1 stays as any colon there does.
    {"C:main.cpp", "C:main.cpp", "main", ".cpp"},
    {"A:x.cpp", "A:x.cpp", "x", ".cpp"},
    {"Z:x.cpp", "Z:x.cpp", "x", ".cpp"},
    {"a:x.cpp", "a:x.cpp", "x", ".cpp"},
    {"z:x.cpp", "z:x.cpp", "x", ".cpp"},
    {"@:x.cpp", "@:x.cpp", "@:x", ".cpp"},
    {"`:x.cpp", "`:x.cpp", "`:x", ".cpp"},
    {"C:", "C:", "", ""},
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
    // A lead byte just before the end stands alone, and nothing past the
    // terminator is read.
    {"C:\\src\\a.h\x95", "C:\\src\\a.h\x95", "a", ".h\x95", 932},
    {"a.h\x83\0\\x.cpp", "a.h\x83", "a", ".h\x83", 932},
    // A colon that is the second byte of a character, or starts one, cuts
    // nothing.
    {"main.cpp\x83:2", "main.cpp\x83:2", "main", ".cpp\x83:2", 932},
    {"main.cpp:2", "main.cpp:2", "main", ".cpp:2", AsciiLeadBytes},
    // A drive is a letter and a colon that are characters of their own: not
    // a lead byte with its second byte (the colon before the end stands
    // alone), nor a colon that starts a character.
    {"C:", "C:", "C:", "", AsciiLeadBytes},
    {"c:x.cpp", "c:x.cpp", "c:x", ".cpp", AsciiLeadBytes},
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

// Writes the title's parts into buffers of the given sizes with a guard
// band behind them, so that a write past the stated size shows. A buffer of
// size 0 must be left as it was: its part reads as empty.
struct GuardedSplit {
    static constexpr size_t Guard = 64;
    char name[FileNameBufferSize + Guard];
    char extension[ExtensionBufferSize + Guard];
    size_t nameSize;
    size_t extensionSize;
    std::string base;
    bool cut = false;

    GuardedSplit(const std::string& title, const LeadBytes& leadBytes, size_t nameSize, size_t extensionSize)
        : nameSize(nameSize), extensionSize(extensionSize) {
        memset(name, '#', sizeof name);
        memset(extension, '#', sizeof extension);
        base = SplitEditorTitle(title.c_str(), name, nameSize, extension, extensionSize, leadBytes, &cut).c_str();
    }
    bool GuardsIntact() const {
        return std::string(name + nameSize, Guard) == std::string(Guard, '#') &&
               std::string(extension + extensionSize, Guard) == std::string(Guard, '#');
    }
    std::string Name() const { return nameSize ? name : ""; }
    std::string Extension() const { return extensionSize ? extension : ""; }
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
        size_t nameSize = FileNameBufferSize;
        size_t extensionSize = ExtensionBufferSize;
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
        // Buffers too small for anything but the terminator, or even that.
        {"C:\\src\\main.cpp", "", ".cpp", 0, 0},
        {"C:\\src\\main.cpp", "main", "", 0, FileNameBufferSize, 0},
        {"C:\\src\\main.cpp", "", "", 0, 1, 1},
        {"C:\\src\\" + a + ".h", "", ".h", 932, 2},
        {"C:\\src\\" + a + ".h", "\x83", ".h", 0, 2},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE("title of " + std::to_string(c.title.size()) + " bytes" + CodePageTrace(c.codePage) +
                     ", buffers of " + std::to_string(c.nameSize) + " and " + std::to_string(c.extensionSize));
        GuardedSplit split(c.title, LeadBytesOf(c.codePage), c.nameSize, c.extensionSize);
        EXPECT_TRUE(split.GuardsIntact());
        EXPECT_EQ(c.name, split.Name());
        EXPECT_EQ(c.extension, split.Extension());
        EXPECT_EQ(c.name + c.extension, split.base);
        // Said to be cut exactly when buffers as long as the title would
        // have held more.
        std::string name(c.title.size() + 1, '\0');
        std::string extension(c.title.size() + 1, '\0');
        bool wholeCut = true;
        const NarrowString whole = SplitEditorTitle(c.title.c_str(), &name[0], name.size(), &extension[0],
                                                    extension.size(), LeadBytesOf(c.codePage), &wholeCut);
        EXPECT_FALSE(wholeCut);
        EXPECT_EQ(split.base != whole.c_str(), split.cut);
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
    EXPECT_EQ(nullptr, CounterpartExtension(FileKind::Unpaired, ".hxx"));
    EXPECT_EQ(nullptr, CounterpartExtension(FileKind::Unpaired, ".rh"));
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
        {"\x84\x41", "\x83\x41", false, 932},
        {"\x83\x41" "a", "\x83\x41" "b", false, 932},
        {"\x83\x41" "A", "\x83\x41" "a", true, 932},
        // A lead byte before the terminator is the last character: what
        // lies past the terminator is never compared.
        {"\x83\0X", "\x83\0Y", true, 932},
        // A null string equals only another null string.
        {nullptr, nullptr, true},
        {nullptr, "", false},
        {"a", nullptr, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(Quoted(c.a) + " vs " + Quoted(c.b) + CodePageTrace(c.codePage));
        const LeadBytes leadBytes = LeadBytesOf(c.codePage);
        EXPECT_EQ(c.equal, EqualsIgnoringCase(c.a, c.b, leadBytes));
        EXPECT_EQ(c.equal, EqualsIgnoringCase(c.b, c.a, leadBytes));
    }
}

TEST(NarrowString, JoinsItsPiecesOrStaysEmpty) {
    // The pieces need not be NUL-terminated. A length that no buffer can
    // hold makes an empty string, before a byte of the pieces is read: the
    // sum of the two wrapping around (which would allocate a short buffer
    // and copy past it), or a size that memory cannot hold.
    const struct {
        const char* what;
        const char* first;
        size_t firstLength;
        const char* second;
        size_t secondLength;
        const char* expected;
    } cases[] = {
        {"the first piece alone", "main.cpp", 4, "", 0, "main"},
        {"two pieces", "main.cpp", 4, ".hxx", 2, "main.h"},
        {"the second piece alone", "", 0, ".cpp", 4, ".cpp"},
        {"nothing", "", 0, "", 0, ""},
        {"lengths whose sum wraps", "x", SIZE_MAX, "y", 2, ""},
        {"lengths whose sum and terminator wrap", "x", SIZE_MAX - 1, "y", 1, ""},
        {"more than memory holds", "x", SIZE_MAX - 1, "", 0, ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        const NarrowString joined(c.first, c.firstLength, c.second, c.secondLength);
        EXPECT_STREQ(c.expected, joined.c_str());
        EXPECT_EQ(std::strlen(c.expected), joined.size());
    }
    EXPECT_STREQ("", NarrowString().c_str());
}

TEST(LeadBytes, ReadsThePlatformsRanges) {
    // Inclusive pairs, ended by a pair of zeros or by the end of the list.
    const unsigned char endedByZeros[] = {0x81, 0x9F, 0, 0, 0xE0, 0xFC};
    const unsigned char endedBySize[] = {0x81, 0x82, 0xE0};
    const unsigned char fromZero[] = {0, 0x81, 0, 0};
    // Three bytes of four: the last is no range, whatever follows it.
    const unsigned char oddSize[] = {0x81, 0x82, 0xE0, 0xE5};
    const unsigned char emptyRangeFirst[] = {0x81, 0, 0xE0, 0xE1, 0, 0};
    const unsigned char toTheTop[] = {0xE0, 0xFC, 0xFE, 0xFF};
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
        {"the first byte after the terminator", LeadBytes::FromRanges(fromZero, sizeof fromZero), 0x01, true},
        {"the last byte of an odd list", LeadBytes::FromRanges(oddSize, 3), 0xE0, false},
        {"a pair ending in 0 is empty", LeadBytes::FromRanges(emptyRangeFirst, sizeof emptyRangeFirst), 0x81, false},
        {"a pair ending in 0 ends nothing", LeadBytes::FromRanges(emptyRangeFirst, sizeof emptyRangeFirst), 0xE1,
         true},
        {"the top of 932's ranges", LeadBytes::FromRanges(toTheTop, 2), 0xFC, true},
        {"just past 932's ranges", LeadBytes::FromRanges(toTheTop, 2), 0xFD, false},
        {"a range to 0xFF", LeadBytes::FromRanges(toTheTop, sizeof toTheTop), 0xFF, true},
        {"no list", LeadBytes::FromRanges(nullptr, 12), 0x81, false},
        {"the default", LeadBytes(), 0x81, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        EXPECT_EQ(c.lead, c.leadBytes.IsLead(c.byte));
    }
}

}  // namespace
