#include "calibration_layout.h"

#include <gtest/gtest.h>

namespace {

struct Worked {
    int32_t w, h;
    LayoutPoint firstCentre, first, secondCentre, second, checkMark;
    LayoutRect targetText;
    LayoutPoint hand;
    LayoutRect checkText;
    LayoutPoint ok, adjustAgain;
};

// The two worked layouts, with the shipped 65 x 65 target.
const Worked Rows[] = {
    {800, 600, {80, 60}, {48, 28}, {720, 540}, {688, 508}, {280, 250}, {300, 250, 500, 400},
     {355, 80}, {200, 200, 600, 400}, {295, 270}, {405, 270}},
    {1024, 768, {102, 76}, {70, 44}, {922, 692}, {890, 660}, {392, 334}, {412, 334, 612, 484},
     {467, 164}, {312, 284, 712, 484}, {407, 354}, {517, 354}},
};

void ExpectPoint(LayoutPoint got, LayoutPoint want, const char *what)
{
    EXPECT_EQ(got.X, want.X) << what;
    EXPECT_EQ(got.Y, want.Y) << what;
}

void ExpectRect(LayoutRect got, LayoutRect want, const char *what)
{
    EXPECT_EQ(got.Left, want.Left) << what;
    EXPECT_EQ(got.Top, want.Top) << what;
    EXPECT_EQ(got.Right, want.Right) << what;
    EXPECT_EQ(got.Bottom, want.Bottom) << what;
}

TEST(ComputeLayout, WorkedLayouts)
{
    for (const Worked &r : Rows) {
        SCOPED_TRACE(testing::Message() << r.w << " x " << r.h);
        CalibrationLayout l = ComputeLayout(r.w, r.h, 65, 65);
        ExpectPoint(l.FirstTargetCentre, r.firstCentre, "first target centre");
        ExpectPoint(l.FirstTarget, r.first, "first target");
        ExpectPoint(l.SecondTargetCentre, r.secondCentre, "second target centre");
        ExpectPoint(l.SecondTarget, r.second, "second target");
        ExpectPoint(l.CheckMark, r.checkMark, "check mark");
        ExpectRect(l.TargetText, r.targetText, "target text");
        ExpectPoint(l.Hand, r.hand, "hand");
        ExpectRect(l.CheckText, r.checkText, "check text");
        ExpectPoint(l.OkButton, r.ok, "OK");
        ExpectPoint(l.AdjustAgainButton, r.adjustAgain, "Adjust Again");
    }
}

} // namespace
