#include "calibration_math.h"

#include <gtest/gtest.h>

namespace {

struct Touches {
    int32_t x1, y1, x2, y2;
};

CalibrationSet Derive(Touches t, const CalibrationSet &inForce, int32_t w = 800, int32_t h = 600)
{
    CalibrationSet out = {-1, -1, -1, -1, -1};
    EXPECT_TRUE(DeriveCalibration(t.x1, t.y1, t.x2, t.y2, w, h, inForce, &out));
    return out;
}

void ExpectSet(const CalibrationSet &got, const CalibrationSet &want)
{
    EXPECT_EQ(got.LeftOffset, want.LeftOffset);
    EXPECT_EQ(got.TopOffset, want.TopOffset);
    EXPECT_EQ(got.XMikeyPerPixel, want.XMikeyPerPixel);
    EXPECT_EQ(got.YMikeyPerPixel, want.YMikeyPerPixel);
    EXPECT_EQ(got.SwapXY, want.SwapXY);
}

struct Row {
    const char *what;
    Touches touches;
    CalibrationSet inForce;
    CalibrationSet want; // LeftOffset, TopOffset, XMikey, YMikey, SwapXY
};

// 800 x 600 screen, targets centred at (80, 60) and (720, 540).
const Row Rows[] = {
    {"touches on the targets give the neutral set back", {80, 60, 720, 540}, NeutralCalibration,
     {0, 0, 50, 50, 0}},
    {"touches inside the targets", {120, 90, 680, 500}, NeutralCalibration, {82, 84, 57, 58, 0}},
    {"first touch right of the second mirrors x", {700, 80, 140, 530}, NeutralCalibration,
     {115, 51, 57, 53, 1}},
    {"first touch below the second mirrors y", {80, 540, 720, 60}, NeutralCalibration,
     {0, 0, 50, 50, 2}},
    {"both axes mirrored", {720, 540, 80, 60}, NeutralCalibration, {0, 0, 50, 50, 3}},
    {"one spot: spans 0, scales kept, offsets 131 before it", {400, 300, 400, 300},
     NeutralCalibration, {524, 524, 50, 50, 0}},
    {"a span of 0 on one axis keeps both scales", {400, 90, 400, 500}, NeutralCalibration,
     {524, 196 - 131, 50, 50, 0}},
    {"two touches at one height (a failed vertical axis) keep both scales", {80, 300, 720, 300},
     NeutralCalibration, {0, 524, 50, 50, 0}},
    {"touches beyond the targets clamp the offsets at 0", {40, 30, 760, 570}, NeutralCalibration,
     {0, 0, 44, 44, 0}},
    {"a negative offset in force is stored as 0", {400, 300, 400, 300}, {-600, -700, 50, 50, 0},
     {0, 0, 50, 50, 0}},
    {"a second pass reads what the first stored", {120, 90, 680, 500}, {82, 84, 57, 58, 0},
     {154, 156, 65, 67, 0}},
    {"a span above 52429 leaves scale 0 and the offsets in force", {0, 0, 799, 599},
     {7, 9, 1, 50, 0}, {7, 9, 0, 40, 0}},
};

TEST(DeriveCalibration, WorkedRowsAndEdges)
{
    for (const Row &row : Rows) {
        SCOPED_TRACE(row.what);
        ExpectSet(Derive(row.touches, row.inForce), row.want);
    }
}

TEST(DeriveCalibration, ZeroDivisorsDeriveNothing)
{
    const struct {
        int32_t w, h, xScale, yScale;
    } cases[] = {{0, 600, 50, 50}, {800, 0, 50, 50}, {800, 600, 0, 50}, {800, 600, 50, 0}};
    for (const auto &c : cases) {
        CalibrationSet inForce = {5, 6, c.xScale, c.yScale, 1};
        CalibrationSet out = {-1, -2, -3, -4, -5};
        EXPECT_FALSE(DeriveCalibration(80, 60, 720, 540, c.w, c.h, inForce, &out));
        ExpectSet(out, {-1, -2, -3, -4, -5});
    }
}

// Above 32768 the 32-bit product v x 65535 overflows; the result must follow
// the exact arithmetic instead.
TEST(DeriveCalibration, LargeCoordinatesUseTheExactProduct)
{
    // 65535 x 65535 / 65535 = 65535 raw before the scale of 1.
    CalibrationSet set = Derive({0, 0, 65535, 65535}, {0, 0, 1, 1, 0}, 65535, 65535);
    EXPECT_EQ(set.XMikeyPerPixel, 0); // span 65535 > 52429
    EXPECT_EQ(set.LeftOffset, 0);

    // 40000 x 65535 / 80000 / 50 = 655; 60000 -> 983; span 328: scale 159.
    set = Derive({40000, 40000, 60000, 60000}, NeutralCalibration, 80000, 80000);
    EXPECT_EQ(set.XMikeyPerPixel, 159);
    EXPECT_EQ(set.LeftOffset, 655 - 6553 / 159);
}

TEST(DeriveCalibration, ExtremeStoredValuesStayDefined)
{
    const int32_t extremes[] = {INT32_MIN, -1, 1, INT32_MAX};
    for (int32_t offset : extremes)
        for (int32_t scale : extremes) {
            CalibrationSet out;
            ASSERT_TRUE(DeriveCalibration(0, 65535, 65535, 0, 1, 1, {offset, offset, scale, scale, 0},
                                          &out));
            EXPECT_GE(out.LeftOffset, 0);
            EXPECT_GE(out.TopOffset, 0);
            EXPECT_EQ(out.SwapXY, 2);
        }
}

} // namespace
