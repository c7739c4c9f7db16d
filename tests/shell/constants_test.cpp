#include <gtest/gtest.h>

#include "../engine/EngineFixture.h"
#include "shell/Constants.h"

TEST(ReportLoadError, WritesTheTwoNoticeLinesToStandardError) {
    testing::internal::CaptureStderr();
    reportLoadError("res/missing.png");
    EXPECT_EQ(testing::internal::GetCapturedStderr(),
              "Error while loading: res/missing.png\n"
              "Depending on how you compiled you might have to add 'Resources/' in front of filenames in "
              "TitleScene\n");
}

class VisibleCenter : public EngineFixture {};

TEST_F(VisibleCenter, IsTheMiddleOfTheVisibleAreaWhateverTheFrameShape) {
    const cocos2d::Vec2 centre = getVisibleCenter();
    EXPECT_FLOAT_EQ(centre.x, 640.0f);
    EXPECT_FLOAT_EQ(centre.y, 360.0f);

    // A wider frame crops top and bottom: the visible origin moves up, the centre stays put.
    view()->setFrameSize(1600, 720);
    view()->setDesignResolutionSize(1280, 720, ResolutionPolicy::NO_BORDER);
    const cocos2d::Vec2 origin = director()->getVisibleOrigin();
    const cocos2d::Size size = director()->getVisibleSize();
    EXPECT_GT(origin.y, 0.0f);
    EXPECT_FLOAT_EQ(getVisibleCenter().x, origin.x + size.width / 2);
    EXPECT_FLOAT_EQ(getVisibleCenter().y, origin.y + size.height / 2);
    EXPECT_FLOAT_EQ(getVisibleCenter().y, 360.0f);
}
