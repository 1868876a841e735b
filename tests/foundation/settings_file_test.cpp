#include "foundation/settings_file.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <climits>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <sstream>

#include "foundation/encoding.h"

namespace dravn {
namespace {

namespace fs = std::filesystem;

class TempDir {
  public:
    TempDir() {
        std::string pattern = (fs::temp_directory_path() / "fcore-ini-XXXXXX").string();
        path_ = ::mkdtemp(pattern.data());
        path_ += "/";
    }
    ~TempDir() {
        std::error_code ec;
        fs::remove_all(path_, ec);
    }
    const std::string& path() const { return path_; }

  private:
    std::string path_;
};

std::string ReadFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

IniFile Parse(std::string_view bytes) {
    IniFile ini;
    ini.LoadFromBytes(bytes);
    return ini;
}

TEST(IniFile, NamesIgnoreCaseAndOrderIsKept) {
    IniFile ini = Parse(Utf8ToCp1252("[Standard]\r\nBeta=2\r\nalpha=1\r\n[Øst]\r\nX=1\r\n"));
    EXPECT_EQ(ini.ReadString("STANDARD", "BETA", "?"), "2");
    EXPECT_EQ(ini.ReadString("øST", "x", "?"), "1");
    EXPECT_EQ(ini.ReadString("standard", "gamma", "def"), "def");

    ini.WriteString("standard", "ALPHA", "one");  // replaces in place, keeps the stored spelling
    ini.WriteString("STANDARD", "Gamma", "3");
    ini.WriteString("Ny", "k", "v");
    EXPECT_EQ(ini.ReadSections(), (std::vector<std::string>{"Standard", "Øst", "Ny"}));
    EXPECT_EQ(ini.ReadSection("standard"), (std::vector<std::string>{"Beta", "alpha", "Gamma"}));
    EXPECT_EQ(
        ini.ToBytes(),
        "[Standard]\r\nBeta=2\r\nalpha=one\r\nGamma=3\r\n\r\n[\xD8st]\r\nX=1\r\n\r\n[Ny]\r\nk=v\r\n\r\n");
}

TEST(IniFile, WholeNumbersAndYesNo) {
    struct Case {
        const char* text;
        int asInteger;  // with default -99
        int asBool;     // 1 true, 0 false, -1 the default
    };
    const Case cases[] = {
        {"12", 12, 1},
        {"0", 0, 0},
        {"-7", -7, 1},
        {" 42 ", 42, 1},
        {"0x1F", 31, 1},
        {"$ff", 255, 1},
        {"$FFFFFFFF", -1, 1},
        {"2147483647", INT_MAX, 1},
        {"-2147483648", INT_MIN, 1},
        {"2147483648", -99, -1},
        {"1.5", -99, -1},
        {"True", -99, -1},
        {"", -99, -1},
        {"12abc", -99, -1},
        {"0x", -99, -1},
        {"$", -99, -1},
    };
    for (const Case& c : cases) {
        IniFile ini;
        ini.WriteString("S", "k", c.text);
        EXPECT_EQ(ini.ReadInteger("S", "k", -99), c.asInteger) << c.text;
        for (bool def : {false, true}) {
            bool expected = c.asBool < 0 ? def : c.asBool == 1;
            EXPECT_EQ(ini.ReadBool("S", "k", def), expected) << c.text << " default " << def;
        }
    }
    IniFile ini;
    ini.WriteInteger("S", "n", -15);
    ini.WriteBool("S", "yes", true);
    ini.WriteBool("S", "no", false);
    EXPECT_EQ(ini.ReadString("S", "n", ""), "-15");
    EXPECT_EQ(ini.ReadString("S", "yes", ""), "1");
    EXPECT_EQ(ini.ReadString("S", "no", ""), "0");
}

TEST(IniFile, EncodingFollowsTheByteOrderMarkAndIsKept) {
    const std::string text = "[Ålesund]\r\nNavn=Blåbær €\r\n\r\n";
    struct Case {
        TextEncoding encoding;
        std::string bytes;
    };
    const Case cases[] = {
        {TextEncoding::Ansi, Utf8ToCp1252(text)},
        {TextEncoding::Utf8, "\xEF\xBB\xBF" + text},
        {TextEncoding::Utf16LE, "\xFF\xFE" + Utf8ToUtf16(text, false)},
        {TextEncoding::Utf16BE, "\xFE\xFF" + Utf8ToUtf16(text, true)},
    };
    for (const Case& c : cases) {
        IniFile ini = Parse(c.bytes);
        EXPECT_EQ(ini.Encoding(), c.encoding);
        EXPECT_EQ(ini.ReadString("ålesund", "NAVN", ""), "Blåbær €");
        EXPECT_EQ(ini.ToBytes(), c.bytes) << "written back unchanged";
    }
    // Without a mark the bytes are Windows-1252, even when they would be valid UTF-8.
    EXPECT_EQ(Parse("[S]\nk=\xC3\xA6").ReadString("S", "k", ""), "Ã¦");
    // In an ANSI file a character the code page lacks is stored as "?".
    IniFile ansi;
    ansi.WriteString("S", "k", "Ω");
    EXPECT_EQ(ansi.ToBytes(), "[S]\r\nk=?\r\n\r\n");
}

TEST(IniFile, DamagedFilesKeepWhatCanBeRead) {
    std::string junk;
    for (int i = 0; i < 4096; ++i)
        junk += static_cast<char>((i * 7919 + 13) % 256);
    struct Case {
        const char* what;
        std::string bytes;
        const char* section;
        const char* key;
        std::string value;
    };
    const Case cases[] = {
        {"binary junk around a good section", junk + "\n[S]\nk=v\n" + junk, "S", "k", "v"},
        {"NUL bytes", std::string("[S]\r\nk=v\0al\0\r\n", 15), "S", "k", "val"},
        {"lines without =", "[S]\r\njust text\r\nk=v\r\n", "S", "k", "v"},
        {"keys before the first section", "k=lost\r\n[S]\r\nk=v\r\n", "S", "k", "v"},
        {"duplicate section merged", "[S]\na=1\n[T]\nx=2\n[s]\nb=2\na=9\n", "S", "b", "2"},
        {"duplicate key: first wins", "[S]\na=1\nA=2\n", "S", "a", "1"},
        {"very long line", "[S]\nk=" + std::string(2'000'000, 'x') + "\n", "S", "k",
         std::string(2'000'000, 'x')},
        {"BOM with invalid UTF-8", "\xEF\xBB\xBF[S]\nk=a\xFF\xC3", "S", "k", "a\uFFFD\uFFFD"},
        {"UTF-16 with an odd byte", "\xFF\xFE" + Utf8ToUtf16("[S]\nk=v", false) + "\x41", "S", "k", "v"},
        {"lone CR line ends, spaces and a comment", "[ S ]\r;k=no\r  k =  v  \r", "S", "k", "v"},
        {"text after the closing bracket", "[S] ; note\nk=v\n[]\nk=hidden\n", "S", "k", "v"},
    };
    for (const Case& c : cases) {
        IniFile ini = Parse(c.bytes);
        EXPECT_EQ(ini.ReadString(c.section, c.key, "<none>"), c.value) << c.what;
        // What is written reads back the same and holds no junk, duplicates or NULs.
        IniFile again = Parse(ini.ToBytes());
        EXPECT_EQ(again.ToBytes(), ini.ToBytes()) << c.what;
        EXPECT_EQ(again.ReadString(c.section, c.key, "<none>"), c.value) << c.what;
        TextEncoding encoding;
        EXPECT_EQ(DecodeTextFile(ini.ToBytes(), encoding).find('\0'), std::string::npos) << c.what;
    }
    IniFile merged = Parse(cases[4].bytes);
    EXPECT_EQ(merged.ReadSections(), (std::vector<std::string>{"S", "T"}));
    EXPECT_EQ(merged.ReadSection("S"), (std::vector<std::string>{"a", "b"}));
    EXPECT_EQ(Parse(cases[2].bytes).ToBytes(), "[S]\r\nk=v\r\n\r\n");
}

TEST(IniFile, WrittenValuesCannotBreakTheStructure) {
    IniFile ini;
    ini.WriteString("S", "k", "first\r\n[Evil]\rsecond\nthird=3");
    ini.WriteString("S", "multi\nkey", "x");
    ini.WriteString("S", "a=b", "y");           // the key ends at "="
    ini.WriteString("S", "[T]", "ignored");     // would read back as a section
    ini.WriteString("S", "; note", "ignored");  // would read back as a comment
    ini.WriteString("", "k", "ignored");
    ini.WriteString("S", "  padded  ", "  value\t");
    EXPECT_EQ(ini.ReadString("S", "k", ""), "first [Evil] second third=3");
    EXPECT_EQ(ini.ReadSection("S"), (std::vector<std::string>{"k", "multi key", "a", "padded"}));
    EXPECT_EQ(ini.ReadString("S", "padded", ""), "value");

    IniFile again = Parse(ini.ToBytes());
    EXPECT_EQ(again.ReadSections(), std::vector<std::string>{"S"});
    EXPECT_EQ(again.ToBytes(), ini.ToBytes());
}

TEST(IniFile, SaveReplacesTheFileWholeAndKeepsItsPermissions) {
    TempDir dir;
    const std::string path = dir.path() + "brenmoto.ini";
    IniFile ini;
    ini.SetEncoding(TextEncoding::Utf8);
    ini.WriteString("S", "k", "æ");
    std::string error;
    ASSERT_TRUE(ini.SaveToFile(path, error)) << error;
    ASSERT_EQ(::chmod(path.c_str(), 0640), 0);
    ini.WriteString("S", "k", "ø");
    ASSERT_TRUE(ini.SaveToFile(path, error)) << error;

    EXPECT_EQ(ReadFile(path), "\xEF\xBB\xBF[S]\r\nk=ø\r\n\r\n");
    struct stat st {};
    ASSERT_EQ(::stat(path.c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 0777, 0640u);
    EXPECT_EQ(std::distance(fs::directory_iterator(dir.path()), fs::directory_iterator()), 1)
        << "no temporary file is left behind";

    // Through a symbolic link the target is replaced and the link stays.
    const std::string link = dir.path() + "link.ini";
    fs::create_symlink(path, link);
    ini.WriteString("S", "k", "å");
    ASSERT_TRUE(ini.SaveToFile(link, error)) << error;
    EXPECT_TRUE(fs::is_symlink(link));
    EXPECT_EQ(Parse(ReadFile(path)).ReadString("S", "k", ""), "å");

    // A folder that does not exist: a clear failure, nothing written.
    EXPECT_FALSE(ini.SaveToFile(dir.path() + "missing/brenmoto.ini", error));
    EXPECT_NE(error.find("(2)"), std::string::npos) << error;
}

TEST(IniFile, LoadingMissingAndUnreadableFiles) {
    TempDir dir;
    IniFile ini;
    ini.WriteString("S", "k", "v");
    EXPECT_TRUE(ini.LoadFromFile(dir.path() + "none.ini"));
    EXPECT_TRUE(ini.ReadSections().empty());
    EXPECT_TRUE(ini.CanSaveOver());

    // A path that exists but cannot be read as a file must never be saved over.
    std::string error;
    EXPECT_FALSE(ini.LoadFromFile(dir.path(), &error));
    EXPECT_FALSE(error.empty());
    EXPECT_FALSE(ini.CanSaveOver());
}

// What Python's configparser (interpolation off, "=" as the only delimiter) reads from a file, one
// line per section ("S" hex) and per value ("K" hex hex hex), in file order.
std::string ConfigParserView(const std::string& path, const std::string& encoding) {
    const std::string script =
        "import configparser, sys\n"
        "cp = configparser.ConfigParser(interpolation=None, delimiters=(\"=\",), default_section=\"\\x01\")\n"
        "cp.optionxform = str\n"
        "cp.read(sys.argv[1], encoding=sys.argv[2])\n"
        "for s in cp.sections():\n"
        "    print(\"S\", s.encode().hex())\n"
        "    for k, v in cp.items(s, raw=True):\n"
        "        print(\"K\", s.encode().hex(), k.encode().hex(), v.encode().hex())\n";
    const std::string command = "python3 -c '" + script + "' '" + path + "' " + encoding + " 2>&1";
    std::string out;
    if (FILE* p = ::popen(command.c_str(), "r")) {
        char buf[4096];
        size_t n;
        while ((n = std::fread(buf, 1, sizeof buf, p)) > 0)
            out.append(buf, n);
        ::pclose(p);
    }
    return out;
}

std::string Hex(const std::string& s) {
    static const char* digits = "0123456789abcdef";
    std::string out;
    for (unsigned char c : s) {
        out += digits[c >> 4];
        out += digits[c & 15];
    }
    return out;
}

std::string OwnView(const IniFile& ini) {
    std::string out;
    for (const std::string& s : ini.ReadSections()) {
        out += "S " + Hex(s) + "\n";
        for (const std::string& k : ini.ReadSection(s))
            out += "K " + Hex(s) + " " + Hex(k) + " " + Hex(ini.ReadString(s, k, "")) + "\n";
    }
    return out;
}

TEST(IniFile, PythonConfigParserReadsTheWrittenFileIdentically) {
    TempDir dir;
    const std::string input =
        "[STANDARD]\r\nLogToFile=1\r\nPath=C:\\Brenmoto\\data\\\r\nPercent=100% av %APPDATA%\r\n"
        "Formula=a=b;c # not a comment\r\nEmpty=\r\nbrackets=[x]\r\n"
        "[INI_SELF]\r\nMODIFIED_TIME=05.03.2024 12:00:00\r\n[Blåbær]\r\nÆrlig=søt € \"sitat\"\r\n";
    for (auto [encoding, pythonName] :
         {std::pair{TextEncoding::Utf8, "utf-8-sig"}, {TextEncoding::Ansi, "cp1252"}}) {
        IniFile ini = Parse(encoding == TextEncoding::Utf8 ? "\xEF\xBB\xBF" + input : Utf8ToCp1252(input));
        ini.WriteString("STANDARD", "Typed", "line one\r\nline two\nline three");
        ini.WriteString("standard", "logtofile", "0");
        ini.WriteString("Ny seksjon", "  nøkkel ", " verdi med = og : ");
        ini.WriteInteger("Ny seksjon", "Tall", -42);
        const std::string path = dir.path() + "written.ini";
        std::string error;
        ASSERT_TRUE(ini.SaveToFile(path, error)) << error;

        const std::string expected = OwnView(ini);
        EXPECT_NE(expected.find(Hex("line one line two line three")), std::string::npos);
        EXPECT_EQ(ConfigParserView(path, pythonName), expected) << pythonName;
    }
}

}  // namespace
}  // namespace dravn
