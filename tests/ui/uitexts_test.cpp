#include "res/resource.h"
#include "res/strings.h"
#include "res/templates.h"
#include "tests/support/cp932.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

// Every text the windows show must be exactly a code page 932 text; the
// texts themselves are pinned where the panel shows them.
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

const std::vector<const char *> kCommandTexts = {
    res::kStandSent,     res::kSitSent,         res::kLieDownSent,  res::kStopDone,     res::kForwardSent,
    res::kBackSent,      res::kTurnRightSent,   res::kTurnLeftSent, res::kLeftKickSent, res::kHeadingSent,
    res::kRightKickSent, res::kRightBackKickSent, res::kLeftBackKickSent, res::kGasAttackSent, res::kContentSentFormat,
};

} // namespace

TEST(UiTexts, EveryWindowAndLinkTextIsExactCodePage932)
{
    std::vector<const char *> texts = windowTexts();
    for (const auto *group : {&kLinkTexts, &kCommandTexts})
        texts.insert(texts.end(), group->begin(), group->end());
    const QByteArray item = res::loadString(IDS_ABOUTBOX).toUtf8();
    texts.push_back(item.constData());
    for (const char *text : texts)
        EXPECT_EQ(cp932::toUtf8(bytes(text)), text);
}
