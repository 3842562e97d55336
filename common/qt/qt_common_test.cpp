#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QApplication>
#include <QMessageBox>
#include <QTimer>

#include "common/qt/app_start.h"
#include "common/qt/dialog_units.h"
#include "common/qt/qt_prompter.h"
#include "common/qt/testing/box_answer.h"

namespace quorvane {
namespace {

TEST(TemplateCaptions, EnglishComesFromTheLanguageLibraryChineseIsBuiltIn) {
    TemplateCaptions chinese;
    EXPECT_EQ(chinese.text(1, "重置"), QString::fromUtf8("重置"));

    TemplateCaptions english;
    ASSERT_TRUE(english.loadLibrary("QuorvaneTestCaptions", QUORVANE_PROGRAM_DIR));
    EXPECT_TRUE(english.english());
    EXPECT_EQ(english.text(1, "重置"), "Reset");
    EXPECT_EQ(english.text(2, "数据分析"), "Data analysis");
    // An id the library does not know keeps its built-in text instead of going blank.
    EXPECT_EQ(english.text(4711, "未知"), QString::fromUtf8("未知"));

    TemplateCaptions missing;
    EXPECT_FALSE(missing.loadLibrary("NoSuchLanguageLibrary", QUORVANE_PROGRAM_DIR));
    EXPECT_FALSE(missing.english());
}

TEST(EnglishUiFromCommandLine, OnlyExactlyOneSelectsEnglish) {
    struct Case {
        std::vector<const char*> args;
        bool english;
    };
    const Case cases[] = {
        {{}, false},     {{"1"}, true},       {{"0"}, false}, {{"11"}, false},
        {{" 1"}, false}, {{"1", "1"}, false}, {{""}, false},
    };
    for (const Case& c : cases) {
        std::vector<char*> argv{const_cast<char*>("QuorvaneFile")};
        for (const char* a : c.args) argv.push_back(const_cast<char*>(a));
        EXPECT_EQ(englishUiFromCommandLine(int(argv.size()), argv.data()), c.english)
            << c.args.size();
    }
}

TEST(DialogUnits, ConvertBothCornersWithThePlatformsRounding) {
    const DialogUnits units(6, 13);  // an 8-point dialog font at 96 dpi
    // The file list at 5, 9, 234 x 48: left 7.5 -> 8, top 14.625 -> 15, right 358.5 -> 359,
    // bottom 92.625 -> 93.
    EXPECT_EQ(units.rect(5, 9, 234, 48), QRect(8, 15, 351, 78));
    EXPECT_EQ(units.size(592, 287), QSize(888, 466));

    // From a font: the base units grow with the font, the formula stays.
    QFont small = QApplication::font();
    small.setPixelSize(10);
    QFont large = small;
    large.setPixelSize(20);
    EXPECT_LT(DialogUnits(small).x(100), DialogUnits(large).x(100));
    EXPECT_EQ(DialogUnits(large).baseY(), QFontMetrics(large).height());
}

TEST(QtPrompter, ShowsTheBoxTypeInTheInterfaceLanguageAsPlainText) {
    struct Case {
        BoxType type;
        bool english;
        const char* buttons;  // sorted, one space apart
        const char* press;
        Button expected;
        QMessageBox::Icon icon;
    };
    const Case cases[] = {
        {BoxType::YesNoQuestion, false, "否 是", "否", Button::No, QMessageBox::Question},
        {BoxType::YesNoQuestion, true, "No Yes", "Yes", Button::Yes, QMessageBox::Question},
        {BoxType::WarningOkCancel, false, "取消 确定", "确定", Button::Ok, QMessageBox::Warning},
        {BoxType::WarningOkCancel, true, "Cancel OK", "Cancel", Button::Cancel,
         QMessageBox::Warning},
        {BoxType::Information, true, "OK", "OK", Button::Ok, QMessageBox::Information},
    };
    for (const Case& c : cases) {
        QtPrompter prompter(nullptr, "Quorvane", c.english);
        BoxAnswer answer;
        answer.press(QString::fromUtf8(c.press));
        const Button pressed = prompter.ask({c.type, {"<b>文件</b>", "<b>file</b>"}});
        EXPECT_EQ(pressed, c.expected);
        EXPECT_EQ(answer.title, "Quorvane");
        EXPECT_EQ(answer.text, c.english ? "<b>file</b>" : QString::fromUtf8("<b>文件</b>"));
        EXPECT_EQ(answer.format, Qt::PlainText);
        EXPECT_EQ(answer.icon, c.icon);
        QStringList shown = answer.buttons;
        shown.sort();
        EXPECT_EQ(shown.join(' '), QString::fromUtf8(c.buttons));
    }
}

TEST(StartUi, EnglishWithoutItsLanguageLibrarySaysSoAndEnds) {
    TemplateCaptions captions;
    BoxAnswer answer;
    answer.press("OK");
    char program[] = "QuorvaneFile";
    char one[] = "1";
    char* argv[] = {program, one, nullptr};
    EXPECT_FALSE(startUi(2, argv, "NoSuchLanguageLibrary", captions));
    EXPECT_EQ(answer.text, "Unable to load resource DLL!");
    EXPECT_EQ(answer.buttons, QStringList{"OK"});

    // Chinese: Qt's own dialogs speak it too; without Qt's translation they stay English.
    const auto saveButton = [] { return QCoreApplication::translate("QFileDialog", "&Save"); };
    EXPECT_FALSE(installQtChineseTranslation({QString(QUORVANE_PROGRAM_DIR) + "/no-such-folder"}));
    EXPECT_EQ(saveButton(), "&Save");
    char zero[] = "0";
    char* chineseArgv[] = {program, zero, nullptr};
    EXPECT_TRUE(startUi(2, chineseArgv, "NoSuchLanguageLibrary", captions));
    EXPECT_FALSE(captions.english());
    EXPECT_EQ(saveButton(), QString::fromUtf8("保存(&S)"));
}

}  // namespace
}  // namespace quorvane
