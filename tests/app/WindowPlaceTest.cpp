#include "app/WindowPlace.h"

#include <gtest/gtest.h>

TEST(WindowPlace, TextsReadBackAndOtherFormsAreRefused)
{
    const WindowPlace place {QRect(-20, 40, 795, 576), true};
    const std::optional<WindowPlace> read = ReadWindowPlace(WindowPlaceText(place));
    ASSERT_TRUE(read);
    EXPECT_EQ(read->normal, place.normal);
    EXPECT_TRUE(read->maximised);
    EXPECT_EQ(WindowPlaceText({QRect(1, 2, 3, 4), false}), "1,2,3,4,0");
    for (const char* text : {"", "1,2,3,4", "1,2,0,4,0", "1,2,3,4,2", "1, 2,3,4,0", "a,2,3,4,0", "1,2,3,4,0,"})
        EXPECT_FALSE(ReadWindowPlace(QLatin1String(text))) << text;

    EXPECT_EQ(SizesText({150, 40, 50}), "150,40,50");
    EXPECT_EQ(ReadSizes("150,40,50", 3), (QList<int>{150, 40, 50}));
    EXPECT_FALSE(ReadSizes("150,40,50", 2)) << "the columns have changed since";
    EXPECT_FALSE(ReadSizes("150,-1,50", 3));
    EXPECT_FALSE(ReadSizes("", 1));
}

TEST(WindowPlace, AWindowLeftOffTheScreenOrLargerThanItComesBackInView)
{
    const QRect screen(0, 0, 1280, 1000);
    EXPECT_EQ(FitOnScreen(QRect(100, 50, 795, 576), screen), QRect(100, 50, 795, 576));
    EXPECT_EQ(FitOnScreen(QRect(2000, 50, 795, 576), screen), QRect(1280 - 795, 50, 795, 576));
    EXPECT_EQ(FitOnScreen(QRect(-300, -40, 795, 576), screen), QRect(0, 0, 795, 576));
    EXPECT_EQ(FitOnScreen(QRect(10, 10, 1920, 1200), screen), screen);
    EXPECT_EQ(FitOnScreen(QRect(10, 10, 50, 50), QRect()), QRect(10, 10, 50, 50));
}
