#include "res/resource.h"
#include "res/strings.h"
#include "res/templates.h"
#include "tests/support/cp932.h"

#include <gtest/gtest.h>

#include <vector>

// Every text the windows show must be exactly a code page 932 text; the
// texts themselves are pinned where the panel shows them.
TEST(UiTexts, EveryWindowTextIsExactCodePage932)
{
    const std::string menuItem = res::loadString(IDS_ABOUTBOX);
    std::vector<const char *> texts{menuItem.c_str()};
    for (const tk::DialogTemplate *dialog : {&res::mainWindowTemplate(), &res::versionDialogTemplate()}) {
        texts.push_back(dialog->title);
        for (const tk::ControlTemplate &control : dialog->controls)
            texts.push_back(control.caption);
    }
    for (const char *text : texts)
        EXPECT_NO_THROW(cp932::fromUtf8(text)) << text;
}
