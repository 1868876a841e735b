#include "foundation/cleanup.h"

#include <fcntl.h>
#include <linux/fs.h>
#include <sys/ioctl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <set>

#include <gtest/gtest.h>

#include "support/scripted_interaction.h"

namespace dravn {
namespace {

namespace fs = std::filesystem;

TEST(FileClasses, ByExtensionKey) {
    struct Case {
        const char* name;
        const char* key;
        bool cad, picture, office;
    };
    const Case cases[] = {
        {"c.dwg", "DWG", true, false, false},
        {"DWG", "DWG", true, false, false},  // no ".": the whole name is the key
        {"plan.pdf.dwg", "DWG", true, false, false},
        {"model.Step", "STEP", true, false, false},
        {"a.jpg", "JPG", false, true, false},
        {"photo.HEIC", "HEIC", false, true, false},
        {"d.docs", "DOCS", false, false, true},
        {"b.docx", "DOCX", false, false, false},
        {"sheet.xlsm", "XLSM", false, false, true},
        {"archive.dwg.zip", "ZIP", false, false, false},
        {".hidden", "HIDDEN", false, false, false},
        {"ends.", "", false, false, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(ExtensionKey(c.name), c.key);
        EXPECT_EQ(IsCadFile(c.name), c.cad);
        EXPECT_EQ(IsPictureFile(c.name), c.picture);
        EXPECT_EQ(IsOfficeFile(c.name), c.office);
    }
}

TEST(FileClasses, MayDeleteWorkFile) {
    CleanOptions keep;
    keep.PreserveWorkFiles = true;
    EXPECT_FALSE(MayDeleteWorkFile("a.doc", keep));
    EXPECT_FALSE(MayDeleteWorkFile("a.dxf", keep));
    EXPECT_TRUE(MayDeleteWorkFile("a.jpg", keep));
    EXPECT_TRUE(MayDeleteWorkFile("a.docx", keep));
    EXPECT_TRUE(MayDeleteWorkFile("a.doc", CleanOptions{}));
}

class CleanupFiles : public ::testing::Test {
  protected:
    void SetUp() override {
        std::string pattern = (fs::temp_directory_path() / "futil_cleanup_XXXXXX").string();
        ASSERT_NE(mkdtemp(pattern.data()), nullptr);
        base_ = pattern + "/";
    }
    void TearDown() override {
        for (const std::string& f : immutable_)
            SetImmutable(f, false);
        // Give every folder owner permissions back so the tree can be removed.
        std::error_code ec;
        for (auto it = fs::recursive_directory_iterator(base_, ec); it != fs::recursive_directory_iterator();
             it.increment(ec))
            if (it->is_directory(ec) && !it->is_symlink(ec))
                fs::permissions(it->path(), fs::perms::owner_all, fs::perm_options::add, ec);
        fs::remove_all(base_, ec);
    }

    // Creates a file (and its folders) below the test folder; returns its full path.
    std::string Put(const std::string& relative, const std::string& text = "x") {
        fs::path p = base_ + relative;
        fs::create_directories(p.parent_path());
        std::ofstream(p) << text;
        return p.string();
    }
    std::string Dir(const std::string& relative) {
        fs::create_directories(base_ + relative);
        return base_ + relative;
    }
    bool Has(const std::string& relative) const {
        std::error_code ec;
        return fs::exists(fs::symlink_status(base_ + relative, ec));
    }
    // All entries below a folder of the test tree, relative to it, links not followed.
    std::set<std::string> Tree(const std::string& relative) const {
        std::set<std::string> out;
        const fs::path root = base_ + relative;
        for (auto it = fs::recursive_directory_iterator(root); it != fs::recursive_directory_iterator(); ++it)
            out.insert(it->path().lexically_relative(root).string());
        return out;
    }
    static bool SetImmutable(const std::string& path, bool on) {
        int fd = open(path.c_str(), O_RDONLY | O_NOFOLLOW);
        if (fd < 0)
            return false;
        int flags = 0;
        bool ok = ioctl(fd, FS_IOC_GETFLAGS, &flags) == 0;
        flags = on ? (flags | FS_IMMUTABLE_FL) : (flags & ~FS_IMMUTABLE_FL);
        ok = ok && ioctl(fd, FS_IOC_SETFLAGS, &flags) == 0;
        close(fd);
        return ok;
    }

    std::string base_;
    std::vector<std::string> immutable_;
    test::ScriptedInteraction ui_;
    std::vector<std::string> log_;
    LogFn logFn_ = [this](const std::string& line) { log_.push_back(line); };
};

TEST_F(CleanupFiles, KeepsProtectedFilesAndTheFoldersHoldingThem) {
    for (const char* f : {"tmp/a.jpg", "tmp/b.docx", "tmp/c.dwg", "tmp/d.docs", "tmp/e.txt", "tmp/.hidden",
                          "tmp/sub/f.txt", "tmp/sub/deeper/g.JPG", "tmp/gone/h.txt", "tmp/gone/deeper/i.txt",
                          "tmp/bds.exe.WebView2/cache.bin"})
        Put(f);
    Dir("tmp/empty");
    const std::string readOnly = Put("tmp/ro.txt");
    chmod(readOnly.c_str(), 0444);

    CleanOptions options;
    options.PreserveTemporaryPictures = true;
    options.PreserveWorkFiles = true;
    CleanFolder(base_ + "tmp", options, logFn_, ui_);

    EXPECT_EQ(Tree("tmp"),
              (std::set<std::string>{"a.jpg", "c.dwg", "d.docs", "sub", "sub/deeper", "sub/deeper/g.JPG",
                                     "bds.exe.WebView2", "bds.exe.WebView2/cache.bin"}));
    EXPECT_TRUE(log_.empty());
    EXPECT_EQ(ui_.waitDepth, 0);
}

TEST_F(CleanupFiles, WithoutPreservingEverythingGoesButTheRootAndWebData) {
    for (const char* f : {"tmp/a.jpg", "tmp/c.dwg", "tmp/sub/g.jpg", "tmp/bds.exe.WebView2/x/cache.bin"})
        Put(f);
    CleanFolder(base_ + "tmp/", CleanOptions{}, logFn_, ui_);
    EXPECT_EQ(Tree("tmp"), (std::set<std::string>{"bds.exe.WebView2", "bds.exe.WebView2/x",
                                                  "bds.exe.WebView2/x/cache.bin"}));

    CleanOptions web;
    web.DeleteWEBdata = true;
    CleanFolder(base_ + "tmp/", web, logFn_, ui_);
    EXPECT_TRUE(Has("tmp"));
    EXPECT_TRUE(Tree("tmp").empty());
}

TEST_F(CleanupFiles, NeverFollowsLinksOutOfTheTree) {
    const std::string precious = Put("outside/keep/precious.txt");
    const std::string outsideFile = Put("outside/file.txt");
    Put("outside/keep/photo.jpg");
    Dir("tmp/sub");
    fs::create_directory_symlink(base_ + "outside/keep", base_ + "tmp/dirlink");
    fs::create_directory_symlink(base_ + "outside/keep", base_ + "tmp/sub/bds.exe.WebView2");
    fs::create_symlink(outsideFile, base_ + "tmp/filelink.txt");
    fs::create_symlink(outsideFile, base_ + "tmp/sub/picture.jpg");  // kept by its name, as a link
    fs::create_symlink(base_ + "nowhere", base_ + "tmp/dangling");
    chmod(outsideFile.c_str(), 0444);

    CleanOptions options;
    options.PreserveTemporaryPictures = true;
    CleanFolder(base_ + "tmp", options, logFn_, ui_);

    EXPECT_EQ(Tree("tmp"), (std::set<std::string>{"sub", "sub/picture.jpg"}));
    EXPECT_TRUE(fs::is_symlink(base_ + "tmp/sub/picture.jpg"));
    EXPECT_EQ(Tree("outside"),
              (std::set<std::string>{"keep", "keep/precious.txt", "keep/photo.jpg", "file.txt"}));
    struct stat st {};
    ASSERT_EQ(stat(outsideFile.c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 07777, 0444u);  // the link's target is not even made writable
    ASSERT_EQ(stat((base_ + "outside/keep").c_str(), &st), 0);
    EXPECT_TRUE(S_ISDIR(st.st_mode));
    (void)precious;
}

TEST_F(CleanupFiles, ReadOnlyFoldersInsideTheTreeAreEmptied) {
    Put("tmp/locked/a.txt");
    Put("tmp/locked/inner/b.txt");
    Put("tmp/closed/c.txt");
    chmod((base_ + "tmp/locked/inner").c_str(), 0555);
    chmod((base_ + "tmp/locked").c_str(), 0555);
    chmod((base_ + "tmp/closed").c_str(), 0000);
    CleanFolder(base_ + "tmp", CleanOptions{}, logFn_, ui_);
    EXPECT_TRUE(Tree("tmp").empty());
    EXPECT_TRUE(log_.empty());
}

TEST_F(CleanupFiles, FailedDeletionIsLoggedAndTheRestContinues) {
    const std::string stuck = Put("tmp/sub/stuck.txt");
    Put("tmp/sub/other.txt");
    Put("tmp/z.txt");
    if (!SetImmutable(stuck, true))
        GTEST_SKIP() << "cannot make a file undeletable on this file system";
    immutable_.push_back(stuck);
    CleanFolder(base_ + "tmp", CleanOptions{}, logFn_, ui_);
    ASSERT_EQ(log_.size(), 1u);
    EXPECT_EQ(log_[0], "ERROR: Can not delete " + base_ + "tmp/sub/stuck.txt" + std::to_string(EPERM));
    EXPECT_EQ(Tree("tmp"), (std::set<std::string>{"sub", "sub/stuck.txt"}));
}

TEST_F(CleanupFiles, ShortOrMissingPathsAreLeftAlone) {
    const fs::path old = fs::current_path();
    fs::current_path(base_);
    Put("abcde/f.txt");
    Put("abcdef/f.txt");
    CleanFolder("abcde", CleanOptions{}, logFn_, ui_);   // "abcde/" has 6 characters
    CleanFolder("abcdef", CleanOptions{}, logFn_, ui_);  // 7: cleaned
    CleanFolder(base_ + "missing", CleanOptions{}, logFn_, ui_);
    CleanFolder(base_ + "abcde/f.txt", CleanOptions{}, logFn_, ui_);  // a file, not a folder
    fs::current_path(old);
    EXPECT_TRUE(Has("abcde/f.txt"));
    EXPECT_FALSE(Has("abcdef/f.txt"));
    EXPECT_TRUE(Has("abcdef"));
    EXPECT_EQ(ui_.waitDepth, 0);
}

TEST_F(CleanupFiles, CleanTemporaryFilesChecksFolderNames) {
    for (int n = 6; n <= 11; ++n)
        Put("work/Dravn" + std::to_string(n) + ".exe");
    Put("work/keep.txt");
    Put("appdata/tmp/a.txt");
    Put("Temp/b.txt");
    Put("windows/temp/c.txt");
    Put("var/spool/d.txt");
    Put("other/e.txt");
    TempLocations where{base_ + "work/", base_ + "appdata/tmp/", base_ + "Temp", base_ + "windows",
                        base_ + "var/spool/"};

    CleanTemporaryFiles(false, where, CleanOptions{}, logFn_, ui_);
    EXPECT_EQ(Tree("work"), (std::set<std::string>{"Dravn11.exe", "keep.txt"}));
    EXPECT_FALSE(Has("appdata/tmp/a.txt"));
    EXPECT_TRUE(Has("Temp/b.txt"));
    EXPECT_TRUE(Has("windows/temp/c.txt"));
    EXPECT_TRUE(Has("var/spool/d.txt"));

    CleanTemporaryFiles(true, where, CleanOptions{}, logFn_, ui_);
    EXPECT_FALSE(Has("Temp/b.txt"));
    EXPECT_FALSE(Has("windows/temp/c.txt"));
    EXPECT_FALSE(Has("var/spool/d.txt"));

    // Folders whose names fail the test stay untouched, and so does the windows folder then.
    // (Relative paths: the test folder itself may lie below a "tmp" folder.)
    Put("windows/temp/c.txt");
    const fs::path old = fs::current_path();
    fs::current_path(base_);
    TempLocations wrongNames{"", "./other/", "./other", "./windows", "./other/"};
    CleanTemporaryFiles(true, wrongNames, CleanOptions{}, logFn_, ui_);
    fs::current_path(old);
    EXPECT_TRUE(Has("other/e.txt"));
    EXPECT_TRUE(Has("windows/temp/c.txt"));
}

TEST(OldPrograms, Prefixes) {
    EXPECT_EQ(OldProgramPrefixes("/", "/home/u/app/", "/home/u/Downloads/", "/home/u/Documents/"),
              (std::vector<std::string>{"/home/u/app/", "/Solvenkaret/", "/home/u/Downloads/",
                                        "/home/u/Documents/Brenmoto/", "/Brenmoto/",
                                        "/home/u/Documents/Solvenkaret/"}));
    // No downloads folder: the working directory is searched a second time.
    EXPECT_EQ(OldProgramPrefixes("/r", "/w", "", "/d"),
              (std::vector<std::string>{"/w/", "/r/Solvenkaret/", "/w/", "/d/Brenmoto/", "/r/Brenmoto/",
                                        "/d/Solvenkaret/"}));
}

TEST_F(CleanupFiles, RemoveOldProgramFiles) {
    const std::string root = Dir("root/");
    Put("home/Downloads/Dravn8.exe");
    Put("home/Downloads/Dravn11.exe");
    Put("root/Brenmoto/Dravn6.exe");
    Put("root/Brenmoto/Dravn11.exe");
    Put("root/Solvenkaret/Dravn10en.exe");
    Put("home/Documents/Solvenkaret/Dravn10.exe");
    Dir("work/Dravn6.exe");  // a folder of that name is not a program file
    const std::string readOnly = Put("work/Dravn10.exe");
    chmod(readOnly.c_str(), 0555);

    RemoveOldProgramFiles(
        OldProgramPrefixes(root, base_ + "work", base_ + "home/Downloads", base_ + "home/Documents"));

    EXPECT_FALSE(Has("home/Downloads/Dravn8.exe"));
    EXPECT_FALSE(Has("root/Brenmoto/Dravn6.exe"));
    EXPECT_FALSE(Has("root/Solvenkaret/Dravn10en.exe"));
    EXPECT_FALSE(Has("home/Documents/Solvenkaret/Dravn10.exe"));
    EXPECT_TRUE(Has("home/Downloads/Dravn11.exe"));
    EXPECT_TRUE(Has("root/Brenmoto/Dravn11.exe"));
    EXPECT_TRUE(Has("work/Dravn6.exe"));
    EXPECT_TRUE(Has("work/Dravn10.exe"));  // read-only stays
}

TEST(DesktopShortcut, FileNames) {
    const std::pair<const char*, const char*> cases[] = {
        {"Dravn11.exe", "Solvenkaret.desktop"},
        {"Dravn11en", "Solvenkaret English.desktop"},
        {"Dravn6SQLAdm", "Solvenkaret Administrator.desktop"},
        {"/opt/dravn/Dravn6SQLAdm", "Solvenkaret Administrator.desktop"},
        {"Dravn6SQLAdm.exe", "Solvenkaret Administrator.desktop"},
        {"dravn6sqladm", "dravn6sqladm.desktop"},
        {"Dravn6SQLAdm.EXE", "Dravn6SQLAdm.EXE.desktop"},
        {"Other", "Other.desktop"},
    };
    for (const auto& [program, shortcut] : cases)
        EXPECT_EQ(ShortcutFileName(program), shortcut) << program;
}

TEST_F(CleanupFiles, DesktopShortcutIsAnExecutableLauncher) {
    const std::string desktop = Dir("Desktop");
    const std::string program = Put("my \"apps\"/Dravn6SQLAdm");
    std::ofstream(desktop + "/Solvenkaret Administrator.desktop") << "old content\n";

    CreateDesktopShortcut(desktop, program);

    const std::string file = desktop + "/Solvenkaret Administrator.desktop";
    std::ifstream in(file);
    std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    EXPECT_EQ(text, "[Desktop Entry]\nType=Application\nName=Solvenkaret Administrator\nExec=\"" + base_ +
                        "my \\\\\"apps\\\\\"/Dravn6SQLAdm\"\nIcon=applications-office\nTerminal=false\n");
    struct stat st {};
    ASSERT_EQ(stat(file.c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 0777, 0755u);
    EXPECT_EQ(Tree("Desktop"), (std::set<std::string>{"Solvenkaret Administrator.desktop"}));  // no temp left

    // An icon shipped beside the program is used.
    Put("my \"apps\"/Dravn6SQLAdm.png");
    CreateDesktopShortcut(desktop + "/", program);
    std::ifstream again(file);
    std::string text2((std::istreambuf_iterator<char>(again)), std::istreambuf_iterator<char>());
    EXPECT_NE(text2.find("\nIcon=" + program + ".png\n"), std::string::npos);

    // Failures are silent.
    CreateDesktopShortcut(base_ + "no such folder", program);
    CreateDesktopShortcut("", program);
    EXPECT_FALSE(Has("no such folder"));
}

}  // namespace
}  // namespace dravn
