#include "res/resource.h"
#include "res/strings.h"
#include "res/templates.h"
#include "tests/support/cp932.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

// Every text the windows show must be exactly a code page 932 text, and the
// forms that are easily smoothed away must be the ones the panel has always
// shown.
namespace {

std::string bytes(const char *utf8)
{
    return cp932::fromUtf8(utf8);
}

std::vector<const char *> windowTexts()
{
    std::vector<const char *> texts;
    for (const tk::DialogTemplate *dialog : {&res::mainWindowTemplate(), &res::versionDialogTemplate()}) {
        texts.push_back(dialog->title);
        for (const tk::ControlTemplate &control : dialog->controls)
            texts.push_back(control.caption);
    }
    return texts;
}

const std::vector<const char *> kLinkTexts = {
    res::kOffline,          res::kOnline,          res::kConnectRequestFailed, res::kConnectRequested,
    res::kDisconnectRequestFailed, res::kDisconnectRequested, res::kConnected,  res::kRemoteGranted,
    res::kRemoteRefused,    res::kDisconnected,    res::kImageInitError,      res::kImageInitOk,
    res::kImageOpenError,   res::kImageOpenOk,     res::kNetServiceError,     res::kNetServiceOk,
    res::kImagePlayError,   res::kImagePlayOk,     res::kImageSetParamError,  res::kImageSetParamOk,
    res::kOutOfMemory,      res::kWalkingPageTab,  res::kMwcidPageTab,        res::kCommandFailed,
    res::kHeadAngleFormat,
};

// Full-width parentheses around most actions' names, ASCII ones around the
// last three kicks' and the content play's.
const std::vector<const char *> kFullWidthTexts = {
    res::kStandSent,     res::kSitSent,         res::kLieDownSent,  res::kStopDone,     res::kForwardSent,
    res::kBackSent,      res::kTurnRightSent,   res::kTurnLeftSent, res::kLeftKickSent, res::kHeadingSent,
    res::kRightKickSent,
};
const std::vector<const char *> kAsciiTexts = {res::kRightBackKickSent, res::kLeftBackKickSent, res::kGasAttackSent,
                                               res::kContentSentFormat};

} // namespace

TEST(UiTexts, EveryWindowAndLinkTextIsExactCodePage932)
{
    std::vector<const char *> texts = windowTexts();
    for (const auto *group : {&kLinkTexts, &kFullWidthTexts, &kAsciiTexts})
        texts.insert(texts.end(), group->begin(), group->end());
    const QByteArray item = res::loadString(IDS_ABOUTBOX).toUtf8();
    texts.push_back(item.constData());
    for (const char *text : texts)
        EXPECT_EQ(cp932::toUtf8(bytes(text)), text);
}

TEST(UiTexts, CommandTextsKeepTheirKindOfParentheses)
{
    for (const auto *group : {&kFullWidthTexts, &kAsciiTexts}) {
        for (const char *text : *group) {
            const std::string sjis = bytes(text);
            const bool fullWidth = sjis.find("\x81\x69") != std::string::npos && sjis.find("\x81\x6A") != std::string::npos;
            const bool ascii = sjis.find('(') != std::string::npos && sjis.find(')') != std::string::npos;
            EXPECT_EQ(fullWidth, group == &kFullWidthTexts) << text;
            EXPECT_EQ(ascii, group == &kAsciiTexts) << text;
            EXPECT_EQ(sjis.substr(0, 8), "\x83\x52\x83\x7D\x83\x93\x83\x68") << text;
        }
    }
}

TEST(UiTexts, CaptionsKeepTheirSigns)
{
    const tk::DialogTemplate &main = res::mainWindowTemplate();
    // The degree sign of the turn buttons, the arrow and the percent sign.
    EXPECT_EQ(bytes(tk::findControl(main, IDC_RIGHT90)->caption), "\x89\x45" "90\x81\x8B");
    EXPECT_EQ(bytes(tk::findControl(main, IDC_LEFT180)->caption), "\x8D\xB6" "180\x81\x8B");
    bool arrow = false;
    bool percent = false;
    for (const tk::ControlTemplate &control : main.controls) {
        arrow = arrow || bytes(control.caption) == "\x81\xAB";
        percent = percent || bytes(control.caption) == "%";
    }
    EXPECT_TRUE(arrow);
    EXPECT_TRUE(percent);
    EXPECT_EQ(bytes(res::loadString(IDS_ABOUTBOX).toUtf8().constData()).substr(0, 12),
              "\x83\x6F\x81\x5B\x83\x57\x83\x87\x83\x93\x8F\xEE");
}

TEST(UiTexts, OnlyTheFirstTwoSuccessTextsOfTheImageStartEndInAnExclamationMark)
{
    EXPECT_EQ(bytes(res::kImageInitOk).back(), '!');
    EXPECT_EQ(bytes(res::kImageOpenOk).back(), '!');
    EXPECT_EQ(bytes(res::kOutOfMemory).back(), '!');
    for (const char *text : {res::kNetServiceOk, res::kImagePlayOk, res::kImageSetParamOk})
        EXPECT_EQ(bytes(text).substr(bytes(text).size() - 4), "\x90\xAC" "\x8C\xF7") << text;
}
