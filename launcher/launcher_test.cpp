#include <gtest/gtest.h>

#include <QDir>
#include <QPainter>
#include <QProcess>
#include <QPushButton>
#include <QTest>
#include <climits>

#include "common/testing/scoped_environment.h"
#include "common/testing/temp_dir_test.h"
#include "launcher/launcher_ids.h"
#include "launcher/launcher_settings.h"
#include "launcher/launcher_window.h"
#include "launcher/picture_frame.h"
#include "launcher/private_profile.h"

namespace quorvane {
namespace {

using namespace launcherids;
using test::TempDirTest;

// A path as Qt writes it, with forward slashes on every system.
QString qpath(const std::filesystem::path& path) {
    return QDir::fromNativeSeparators(QString::fromStdString(utf8OfPath(path)));
}

#ifdef _WIN32
constexpr char kProgramSuffix[] = ".exe";
#else
constexpr char kProgramSuffix[] = "";
#endif

class MultiLang : public TempDirTest {};

TEST_F(MultiLang, NonZeroNumberSelectsEnglishAsThePlatformsProfileReaderReadsIt) {
    struct Case {
        const char* content;  // nullptr: no Multi.lang at all
        bool english;
    };
    const std::string longZeros(38, '0');
    const std::string at39 = "[English]\nbEnglish=" + longZeros + "1\n";
    const std::string at40 = "[English]\nbEnglish=" + longZeros + "01\n";
    const Case cases[] = {
        {"[English]\nbEnglish=1\n", true},
        {"[English]\nbEnglish=0\n", false},
        {"[English]\nbEnglish=abc\n", false},
        {"[English]\nbEnglish= 1\n", true},
        {"[English]\nbEnglish=\"1\"\n", true},
        {"[English]\nbEnglish='1'\n", true},
        {"[English]\nbEnglish=\"1\n", false},  // an unpaired quote stays and is no number
        {nullptr, false},
        {"", false},
        {"[English]\nother=1\n", false},
        {"[Other]\nbEnglish=1\n", false},
        {"[ENGLISH]\nBENGLISH=1\n", true},
        {"  [ english ]  \r\n  benglish  =  1  \r\n", true},
        {"\xEF\xBB\xBF[English]\nbEnglish=1\n", true},
        {"[English]\nbEnglish=0\nbEnglish=1\n", false},  // the first key counts
        {"[English]\nbEnglish=0\n[Other]\nbEnglish=1\n", false},
        {"[Other]\nbEnglish=0\n[English]\nbEnglish=1\n", true},
        {"[English]\n;bEnglish=1\n", false},
        {"[English]\nbEnglish=\n", false},
        {"[English]\nbEnglish\n", false},
        {"[English]\nbEnglish=-1\n", true},
        {"[English]\nbEnglish=1abc\n", true},
        {"[English]\nbEnglish=4294967296\n", true},  // must not wrap round to zero
        {"[English]\nbEnglish=0x1\n", false},
        {at39.c_str(), true},   // the 1 is the 39th character: inside the buffer
        {at40.c_str(), false},  // the 40th: cut off, leaving zeros
    };
    for (const Case& c : cases) {
        std::filesystem::remove(dir_ / "Multi.lang");
        if (c.content != nullptr) {
            write("Multi.lang", std::vector<uint8_t>(c.content, c.content + strlen(c.content)));
        }
        EXPECT_EQ(englishFromMultiLang(dir_), c.english) << (c.content ? c.content : "(no file)");
    }
}

TEST_F(MultiLang, ProfileValuesAreCutAtTheBufferAndDefaultsKeepTheirQuotes) {
    const char content[] = "[s]\nk = \"abcdef\" \n";
    write("a.ini", std::vector<uint8_t>(content, content + sizeof content - 1));
    struct Case {
        const char* key;
        size_t buffer;
        const char* expected;
    };
    const Case cases[] = {
        {"k", 40, "abcdef"},         {"k", 4, "abc"},       {"k", 1, ""},
        {"missing", 40, "\"dflt\""}, {"missing", 3, "\"d"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(readProfileString(dir_ / "a.ini", "S", c.key, " \"dflt\" ", c.buffer), c.expected)
            << c.key << " " << c.buffer;
    }
}

TEST(AtoiValue, ReadsTheLeadingNumberLikeTheCLibrary) {
    const std::pair<const char*, int> cases[] = {
        {"", 0},
        {"abc", 0},
        {" \t12", 12},
        {"+7", 7},
        {"-3", -3},
        {"1e5", 1},
        {"0x10", 0},
        {"- 1", 0},
        {"2147483647", INT_MAX},
        {"4294967296", INT_MAX},
        {"-99999999999", INT_MIN},
    };
    for (const auto& [text, value] : cases) {
        EXPECT_EQ(atoiValue(text), value) << text;
    }
}

TEST(TitleVersionSuffix, ShowsTheLowByteOfEachPart) {
    struct Case {
        int major, minor, patch;
        const char* text;
    };
    const Case cases[] = {
        {1, 2, 0, " V1.2.0"},
        {256, 1, 0, " V0.1.0"},
        {257, 511, 65535, " V1.255.255"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(titleVersionSuffix(c.major, c.minor, c.patch), c.text);
    }
}

class LauncherWindowTest : public TempDirTest {
  protected:
    void SetUp() override {
        TempDirTest::SetUp();
        savedCurrent_ = QDir::currentPath();
    }
    void TearDown() override {
        QDir::setCurrent(savedCurrent_);
        TempDirTest::TearDown();
    }

    // A picture file: the top half red, the bottom half blue, taller than wide, so that a frame
    // wider than tall shows whether it was stretched or fitted.
    QString writePicture(const std::filesystem::path& path) {
        QImage image(10, 40, QImage::Format_RGB32);
        image.fill(Qt::red);
        QPainter(&image).fillRect(0, 20, 10, 20, Qt::blue);
        EXPECT_TRUE(image.save(qpath(path), "PNG"));
        return qpath(path);
    }

    // A program that records its name, its arguments and its working folder, one line a start
    // (a shell script: on Windows it only stands where the program would be found).
    void writeStub(const std::filesystem::path& folder, const char* name) {
        std::filesystem::create_directories(folder);
        const std::string script = "#!/bin/sh\nprintf '%s|%s|%s|%s\\n' \"" + std::string(name) +
                                   "\" \"$#\" \"$*\" \"$(pwd)\" >> '" + record().string() + "'\n";
        const auto file = folder / (name + std::string(kProgramSuffix));
        std::ofstream(file) << script;
        std::filesystem::permissions(file, std::filesystem::perms::owner_all);
    }
    std::filesystem::path record() const { return dir_ / "record.txt"; }

    // The lines the stubs wrote, once `count` of them are there (the starts are detached).
    QStringList records(int count) const {
        const auto lines = [this] {
            return QString::fromStdString(test::slurp(record())).split('\n', Qt::SkipEmptyParts);
        };
        // The callers check the count.
        static_cast<void>(QTest::qWaitFor([&] { return lines().size() >= count; }, 10000));
        return lines();
    }

    QString savedCurrent_;
};

class RecordingPrompter : public Prompter {
  public:
    Button ask(const Message& message) override {
        asked.push_back(message);
        return Button::Ok;
    }
    std::vector<Message> asked;
};

TEST_F(LauncherWindowTest, TheProgramReadsMultiLangAndEndsWithoutCantrelanInEnglish) {
    // The real program, copied into a folder of its own with or without its language library,
    // started in another folder that holds Multi.lang; it reports what it shows and ends.
    const auto install = dir_ / "install", work = dir_ / "work";
    std::filesystem::create_directories(install);
    std::filesystem::create_directories(work);
    const std::filesystem::path built(QUORVANE_PROGRAM_DIR);
    std::filesystem::copy_file(built / QUORVANE_LAUNCHER_FILE, install / QUORVANE_LAUNCHER_FILE);
    struct Case {
        const char* multiLang;  // nullptr: none
        bool withCantrelan;
        QStringList output;
        int exitCode;
    };
    const QString caption =
        "caption: Quorvane" +
        QString::fromStdString(titleVersionSuffix(QUORVANE_VERSION_MAJOR, QUORVANE_VERSION_MINOR,
                                                  QUORVANE_VERSION_PATCH));
    const QStringList chinese{caption, QString::fromUtf8("button: 操作设备"),
                              QString::fromUtf8("button: 处理文件"), "picture: none"};
    const QStringList english{caption, "button: Device", "button: Files", "picture: none"};
    const Case cases[] = {
        {nullptr, false, chinese, 0},
        {"[English]\nbEnglish=0\n", false, chinese, 0},
        {"[English]\nbEnglish=1\n", false, {"message: Unable to load resource DLL!"}, 1},
        {"[English]\nbEnglish=1\n", true, english, 0},
    };
    for (const Case& c : cases) {
        std::filesystem::remove(work / "Multi.lang");
        if (c.multiLang)
            std::ofstream(work / "Multi.lang") << c.multiLang;
        std::filesystem::remove(install / QUORVANE_CANTRELAN_FILE);
        if (c.withCantrelan) {
            std::filesystem::copy_file(built / QUORVANE_CANTRELAN_FILE,
                                       install / QUORVANE_CANTRELAN_FILE);
        }
        QProcess program;
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert("QUORVANE_STARTUP_CHECK", "1");
        environment.insert("QT_QPA_PLATFORM", "offscreen");
        program.setProcessEnvironment(environment);
        program.setWorkingDirectory(qpath(work));
        program.start(qpath(install / QUORVANE_LAUNCHER_FILE), {});
        ASSERT_TRUE(program.waitForFinished(60000));
        EXPECT_EQ(QString::fromUtf8(program.readAllStandardOutput())
                      .remove('\r')
                      .split('\n', Qt::SkipEmptyParts),
                  c.output)
            << (c.multiLang ? c.multiLang : "(none)");
        EXPECT_EQ(program.exitCode(), c.exitCode);
    }
}

TEST_F(LauncherWindowTest, PictureIsStretchedOverTheFrameOrLeftOutWhenUnusable) {
    const QString good = writePicture(dir_ / "zel4400.jpg");
    std::filesystem::permissions(dir_ / "zel4400.jpg", std::filesystem::perms::owner_read |
                                                           std::filesystem::perms::group_read);
    write("garbage.jpg", {'n', 'o', 't', ' ', 'a', ' ', 'j', 'p', 'e', 'g'});
    std::filesystem::create_directories(dir_ / "folder.jpg");
    struct Case {
        QString path;
        bool shown;
    };
    const Case cases[] = {
        {good, true},
        {qpath(dir_ / "missing.jpg"), false},
        {qpath(dir_ / "garbage.jpg"), false},
        {qpath(dir_ / "folder.jpg"), false},
        {QString(), false},
    };
    TemplateCaptions chinese;
    for (const Case& c : cases) {
        LauncherWindow window(chinese, {}, c.path);
        window.show();
        const QImage frame = window.pictureFrame()->grab().toImage();
        const int w = frame.width(), h = frame.height();
        ASSERT_GT(w, h);
        // Stretched: the corners belong to the picture, red on top, blue below; a picture
        // fitted with its proportions would leave the right-hand corners empty.
        const QRgb corners[] = {frame.pixel(1, 1), frame.pixel(w - 2, 1), frame.pixel(1, h - 2),
                                frame.pixel(w - 2, h - 2)};
        const QRgb expected[] = {qRgb(255, 0, 0), qRgb(255, 0, 0), qRgb(0, 0, 255),
                                 qRgb(0, 0, 255)};
        for (int i = 0; i < 4; ++i) {
            EXPECT_EQ(corners[i] == expected[i], c.shown) << c.path.toStdString() << " " << i;
        }
    }

    // A second launcher reads the same file while the first holds its picture.
    LauncherWindow first(chinese, {}, good), second(chinese, {}, good);
    EXPECT_FALSE(first.pictureFrame()->picture().isNull());
    EXPECT_FALSE(second.pictureFrame()->picture().isNull());
}

// Each folder present holds the program and the picture; the search path holds no pictures.
TEST_F(LauncherWindowTest, PictureAndProgramsAreLookedForInTheCurrentFolderFirst) {
    const auto current = dir_ / "work", beside = dir_ / "install", path = dir_ / "path";
    struct Case {
        bool inCurrent, besideLauncher, onPath;
        std::filesystem::path program, picture;  // the folders found in; empty: none
    };
    const Case cases[] = {
        {true, true, true, current, current},
        {false, true, true, beside, beside},
        {false, false, true, path, {}},
        {false, false, false, {}, {}},
    };
    const auto found = [](const std::filesystem::path& folder, const char* name) {
        return folder.empty() ? QString() : qpath(folder / name);
    };
    const std::string device = "QuorvaneDevice" + std::string(kProgramSuffix);
    for (const Case& c : cases) {
        std::filesystem::remove_all(dir_);
        for (const auto& [folder, present] :
             {std::pair{current, c.inCurrent}, std::pair{beside, c.besideLauncher},
              std::pair{path, c.onPath}}) {
            std::filesystem::create_directories(folder);
            if (present) {
                writeStub(folder, "QuorvaneDevice");
                writePicture(folder / "zel4400.jpg");
            }
        }
        // Not executable, so never a candidate: a data file of the same name in the folder.
        std::ofstream(current / "QuorvaneFile") << "data";
        const test::ScopedEnvironment searchPath("PATH", path.string());
        EXPECT_EQ(locateProgram("QuorvaneDevice", qpath(current), qpath(beside)),
                  found(c.program, device.c_str()));
        EXPECT_EQ(locateProgram("QuorvaneFile", qpath(current), qpath(beside)), QString());
        EXPECT_EQ(launcherPicturePath(qpath(current), qpath(beside)),
                  found(c.picture, "zel4400.jpg"));
    }
}

TEST_F(LauncherWindowTest, ButtonsStartTheirProgramWithTheLanguageFlagInTheCurrentFolder) {
#ifdef _WIN32
    GTEST_SKIP() << "the recording stand-ins are shell scripts";
#endif
    const auto work = dir_ / "work";
    writeStub(work, "QuorvaneDevice");
    writeStub(work, "QuorvaneFile");
    const test::ScopedEnvironment searchPath("PATH", "/usr/bin:/bin");
    ASSERT_TRUE(QDir::setCurrent(qpath(work)));
    const QString cwd = QDir::currentPath();

    TemplateCaptions chinese, english;
    ASSERT_TRUE(english.loadLibrary("Cantrelan", QUORVANE_PROGRAM_DIR));
    RecordingPrompter prompter;
    LauncherWindow zh(chinese, {}, {}), en(english, {}, {});
    zh.setPrompter(&prompter);
    en.setPrompter(&prompter);
    QTest::mouseClick(zh.button(kDeviceButton), Qt::LeftButton);
    ASSERT_EQ(records(1).size(), 1);
    QTest::mouseClick(en.button(kFileButton), Qt::LeftButton);
    ASSERT_EQ(records(2).size(), 2);
    QTest::mouseClick(en.button(kFileButton), Qt::LeftButton);  // one more instance
    QTest::mouseClick(zh.button(kFileButton), Qt::LeftButton);
    QStringList lines = records(4);
    ASSERT_EQ(lines.size(), 4);
    // The two clicks on one button race each other; what counts is that both started.
    lines.sort();
    EXPECT_EQ(lines, QStringList({"QuorvaneDevice|1|0|" + cwd, "QuorvaneFile|1|0|" + cwd,
                                  "QuorvaneFile|1|1|" + cwd, "QuorvaneFile|1|1|" + cwd}));
    EXPECT_TRUE(prompter.asked.empty());
}

TEST_F(LauncherWindowTest, AProgramThatCannotBeStartedIsReportedAndTheLauncherStaysOpen) {
    ASSERT_TRUE(QDir::setCurrent(qpath(dir_)));
    const test::ScopedEnvironment searchPath("PATH", (dir_ / "nowhere").string());
    TemplateCaptions chinese;
    RecordingPrompter prompter;
    LauncherWindow window(chinese, {}, {});
    window.setPrompter(&prompter);
    window.show();
    QTest::mouseClick(window.button(kDeviceButton), Qt::LeftButton);
    QTest::mouseClick(window.button(kFileButton), Qt::LeftButton);
    ASSERT_EQ(prompter.asked.size(), 2u);
    EXPECT_EQ(prompter.asked[0].type, BoxType::Warning);
    EXPECT_EQ(prompter.asked[0].text.en, "Cannot find or start the program QuorvaneDevice!");
    EXPECT_EQ(prompter.asked[0].text.zh, "无法找到或启动程序 QuorvaneDevice！");
    EXPECT_EQ(prompter.asked[1].text.en, "Cannot find or start the program QuorvaneFile!");
    EXPECT_TRUE(window.isVisible());
}

}  // namespace
}  // namespace quorvane
