// SPDX-License-Identifier: MIT
#include "platform/surface/Mapping.h"

#include <gtest/gtest.h>

#include <random>

namespace {

CMapping Isotropic(CSize window, CSize viewport, CPoint windowOrg, CPoint viewportOrg)
{
    CMapping m;
    m.SetMapMode(MM_ISOTROPIC);
    m.SetWindowExt(window.cx, window.cy);
    m.SetViewportExt(viewport.cx, viewport.cy);
    m.SetWindowOrg(windowOrg.x, windowOrg.y);
    m.SetViewportOrg(viewportOrg.x, viewportOrg.y);
    return m;
}

} // namespace

TEST(Mapping, TextModeIsOnePixelPerUnit)
{
    CMapping m;
    EXPECT_EQ(m.LPtoDP(CPoint(17, -3)), CPoint(17, -3));
    EXPECT_EQ(m.DPtoLP(CPoint(17, -3)), CPoint(17, -3));
}

TEST(Mapping, IsotropicTakesTheSmallerScaleOnBothAxes)
{
    struct Case {
        CSize window, viewport;
        CPoint logical, device;
    };
    // 400 x 300 client less metrics of 16: viewport 384 x 284, origin (192, 142).
    const Case cases[] = {
        {{12500, 12500}, {384, 284}, {0, 0}, {192, 142}},
        {{12500, 12500}, {384, 284}, {12500, 0}, {192 + 284, 142}},
        {{12500, 12500}, {384, 284}, {-6250, 6250}, {192 - 142, 142 + 142}},
        {{12500, 12500}, {800, 600}, {12500, 12500}, {400 + 600, 300 + 600}},
        {{12500, 12500}, {800, 600}, {1000, -1000}, {448, 252}},
        {{3125, 2083}, {784, 584}, {3125, 2083}, {392 + 784, 292 + 523}},
    };
    for (const Case& c : cases) {
        CPoint vo(c.viewport.cx / 2, c.viewport.cy / 2);
        CMapping m = Isotropic(c.window, c.viewport, {0, 0}, vo);
        EXPECT_EQ(m.LPtoDP(c.logical), c.device) << c.logical.x << "," << c.logical.y;
    }
}

TEST(Mapping, WindowOriginMovesTheCentre)
{
    CMapping m = Isotropic({1562, 1562}, {800, 600}, {1000, -500}, {400, 300});
    EXPECT_EQ(m.LPtoDP(CPoint(1000, -500)), CPoint(400, 300));
    EXPECT_EQ(m.DPtoLP(CPoint(400, 300)), CPoint(1000, -500));
}

TEST(Mapping, DeviceToLogicalRoundTripsToTheSamePixel)
{
    // Holds wherever a map unit is no larger than a pixel.
    for (CSize zoom : {CSize(12500, 12500), CSize(1562, 1562), CSize(1000, 600)}) {
        CMapping m = Isotropic(zoom, {784, 584}, {123, -456}, {392, 292});
        for (int x = -5; x < 800; x += 7) {
            for (int y = -5; y < 600; y += 11) {
                CPoint logical = m.DPtoLP(CPoint(x, y));
                EXPECT_EQ(m.LPtoDP(logical), CPoint(x, y)) << zoom.cx << " " << x << "," << y;
            }
        }
    }
}

TEST(Mapping, RoundsHalvesAwayFromZeroAndClampsFarPoints)
{
    EXPECT_EQ(MulDivRound(5, 1, 2), 3);
    EXPECT_EQ(MulDivRound(-5, 1, 2), -3);
    EXPECT_EQ(MulDivRound(7, 3, -2), -11);
    // Products on either side of the 64-bit shortcut round alike.
    EXPECT_EQ(MulDivRound(2147483647, 2147483647, 7), 658812287733202944LL);
    EXPECT_EQ(MulDivRound(-2147483647, 2147483647, 7), -658812287733202944LL);
    EXPECT_EQ(MulDivRound(2147483648LL, 2147483648LL, -3), -1537228672809129301LL);
    EXPECT_EQ(MulDivRound(3, 1LL << 60, -(1LL << 59)), -6);
    // Halves of large quotients, and a quotient just beside a half.
    EXPECT_EQ(MulDivRound((1LL << 40) + 1, 1, 2), (1LL << 39) + 1);
    EXPECT_EQ(MulDivRound(-((1LL << 40) + 1), 1, 2), -((1LL << 39) + 1));
    EXPECT_EQ(MulDivRound((1LL << 40) + 1, 3, 6), (1LL << 39) + 1);
    EXPECT_EQ(MulDivRound(1000000000000LL, 1, 1999999999999LL), 1);
    EXPECT_EQ(MulDivRound(999999999999LL, 1, 1999999999999LL), 0);
    EXPECT_EQ(MulDivRound(1000000000000LL, 1, 2000000000000LL), 1);
    EXPECT_EQ(MulDivRound(999999999999LL, 1, 2000000000000LL), 0);
    CMapping m = Isotropic({1, 1}, {1000, 1000}, {0, 0}, {0, 0});
    EXPECT_EQ(m.LPtoDP(CPoint(2147483640, -2147483640)), CPoint(2147483647, -2147483647 - 1));
    EXPECT_EQ(m.ToDeviceX(2147483640), 2147483640000LL);
}

TEST(Mapping, ZeroExtentsAreRefused)
{
    CMapping m = Isotropic({100, 100}, {200, 200}, {0, 0}, {0, 0});
    m.SetWindowExt(0, 5);
    m.SetViewportExt(5, 0);
    EXPECT_EQ(m.GetWindowExt(), CSize(100, 100));
    EXPECT_EQ(m.GetViewportExt(), CSize(200, 200));
    EXPECT_EQ(m.LPtoDP(CPoint(10, 10)), CPoint(20, 20));
}

TEST(Mapping, LogicalToDeviceRoundsExactlyAtEveryScale)
{
    // Scales of a half and of odd fractions put many points on exact halves
    // of a pixel; each must round as the exact quotient does.
    std::mt19937 random(7);
    for (int trial = 0; trial < 2000; ++trial) {
        int wext = 1 + int(random() % 30000), vext = 1 + int(random() % 5000);
        if (trial % 3 == 0)
            vext = wext / 2 + 1, wext = 2 * (vext - 1) + (trial % 2);
        CPoint worg(int(random() % 20001) - 10000, int(random() % 20001) - 10000);
        CMapping m = Isotropic({wext, wext}, {vext, vext}, worg, {vext / 2, vext / 2});
        for (int i = 0; i < 20; ++i) {
            int x = int(random() % 2000001) - 1000000;
            std::int64_t expected = vext / 2 + MulDivRound(std::int64_t(x) - worg.x, vext, wext);
            ASSERT_EQ(m.ToDeviceX(x), expected) << wext << " " << vext << " " << x;
            ASSERT_EQ(m.ToDeviceY(-x), vext / 2 + MulDivRound(-std::int64_t(x) - worg.y, vext, wext));
        }
    }
    CMapping half = Isotropic({2, 2}, {1, 1}, {0, 0}, {0, 0});
    EXPECT_EQ(half.LPtoDP(CPoint(1, -1)), CPoint(1, -1));
    EXPECT_EQ(half.LPtoDP(CPoint(3, -3)), CPoint(2, -2));
}
