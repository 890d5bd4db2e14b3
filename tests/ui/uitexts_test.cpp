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

} // namespace

TEST(UiTexts, EveryWindowTextIsExactCodePage932)
{
    std::vector<const char *> texts = windowTexts();
    const QByteArray item = res::loadString(IDS_ABOUTBOX).toUtf8();
    texts.push_back(item.constData());
    for (const char *text : texts)
        EXPECT_EQ(cp932::toUtf8(bytes(text)), text);
}
