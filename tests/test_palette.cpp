// Colour forms and the .idx palette lines of the four palette modes.
#include "convert/PalettePlan.h"
#include "vobsub/Palette.h"

#include <gtest/gtest.h>

using namespace lumelle;

namespace {

const OutputColours kDefaultColours{makeColor(128, 128, 128), makeColor(0, 0, 0),
                                    makeColor(255, 255, 255)};
const std::string kTwelveUnused =
    ", 000000, 000000, 000000, 000000, 000000, 000000, 000000, 000000, 000000, 000000, 000000, "
    "000000";

} // namespace

TEST(Palette, RgbHexIsRedGreenBlueInUpperCaseWithTwoDigitsEach)
{
    EXPECT_EQ(ToRgbHex(kBackgroundBlue), "0000FF");
    EXPECT_EQ(ToRgbHex(makeColor(255, 255, 255)), "FFFFFF");
    EXPECT_EQ(ToRgbHex(makeColor(1, 0xAB, 0x0C)), "01AB0C");
}

TEST(Palette, YCrCbReferenceTable)
{
    struct Case
    {
        int r, g, b;
        const char* hex;
    };
    const Case cases[] = {
        {0, 0, 0, "008080"},
        {255, 255, 255, "FF807F"},
        {128, 128, 128, "80807F"},
        {127, 127, 127, "7F807F"},
        {192, 192, 192, "C0807F"},
        {0, 0, 255, "1D6BFF"},
        {255, 0, 0, "4CFF54"},
        {0, 255, 0, "95152B"},
        {255, 255, 0, "E29400"},
        // Exact Y is 94; extended precision lands just below and truncates to 93.
        {1, 148, 60, "5D3D6C"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(ToYCrCbHex(makeColor(c.r, c.g, c.b)), c.hex) << c.r << "," << c.g << "," << c.b;
}

TEST(Palette, YCrCbSpacedSeparatesThePairs)
{
    EXPECT_EQ(ToYCrCbSpaced(makeColor(255, 255, 255)), "FF 80 7F");
    EXPECT_EQ(ToYCrCbSpaced(kBackgroundBlue), "1D 6B FF");
    EXPECT_EQ(ToYCrCbSpaced(makeColor(0, 0, 0)), "00 80 80");
}

// Over every 24-bit colour whose exact Y, Cr or Cb is a whole number (947 colours), a
// double-precision evaluation truncates differently for 209 of them. Matching both figures
// shows that the conversion really runs in extended precision with the given operation order.
TEST(Palette, ExtendedPrecisionDiffersFromDoubleExactlyWhereExpected)
{
    int wholeCount = 0;
    int differFromDouble = 0;
    for (int r = 0; r < 256; ++r) {
        for (int g = 0; g < 256; ++g) {
            for (int b = 0; b < 256; ++b) {
                // The three values times 100 000, exactly, in integers.
                const long long y = r * 30000LL + g * 58690LL + b * 11398LL;
                const long long cr = r * 50000LL + 12800000LL - g * 41868LL - b * 8130LL;
                const long long cb = b * 50000LL + 12800000LL - r * 16883LL - g * 33121LL;
                if (y % 100000 != 0 && cr % 100000 != 0 && cb % 100000 != 0)
                    continue;
                ++wholeCount;
                const double dy = (r * 0.3 + g * 0.5869) + b * 0.11398;
                const double dcr = ((r * 0.5 + 128) - g * 0.41868) - b * 0.0813;
                const double dcb = ((b * 0.5 + 128) - r * 0.16883) - g * 0.33121;
                const YCrCb ours = ToYCrCb(makeColor(r, g, b));
                if (ours != YCrCb{int(dy), int(dcr), int(dcb)})
                    ++differFromDouble;
                EXPECT_GE(ours.y, 0);
                EXPECT_LE(ours.y, 255);
            }
        }
    }
    EXPECT_EQ(wholeCount, 947);
    EXPECT_EQ(differFromDouble, 209);
}

TEST(Palette, PaletteLineHoldsRgbFormsInPcModes)
{
    const std::string expected = "palette: 808080, 000000, FFFFFF, 0000FF" + kTwelveUnused;
    EXPECT_EQ(PaletteLine(PaletteMode::PcOnly, kDefaultColours), expected);
    EXPECT_EQ(PaletteLine(PaletteMode::PcDvdSafePalette, kDefaultColours), expected);
}

TEST(Palette, PaletteLineHoldsYCrCbFormsInDvdModes)
{
    const std::string expected = "palette: 80807F, 008080, FF807F, 1D6BFF" + kTwelveUnused;
    EXPECT_EQ(PaletteLine(PaletteMode::DvdOnly, kDefaultColours), expected);
    EXPECT_EQ(PaletteLine(PaletteMode::PcDvdTwoPalettes, kDefaultColours), expected);
}

TEST(Palette, SlotOrderIsAntialiasOutlineTextThenBlueEvenForEqualColours)
{
    // Every user colour keeps its own slot, even when equal to another or to the background.
    const OutputColours colours{makeColor(0, 0, 255), makeColor(1, 2, 3), makeColor(1, 2, 3)};
    EXPECT_EQ(PaletteLine(PaletteMode::PcOnly, colours),
              "palette: 0000FF, 010203, 010203, 0000FF" + kTwelveUnused);
}

TEST(Palette, CustomColourLineIsOnOnlyWithTwoPalettes)
{
    const std::string off =
        "custom colors: OFF, tridx: 0000, colors: 000000, 000000, 000000, 000000";
    EXPECT_EQ(CustomColourLine(PaletteMode::PcOnly, kDefaultColours), off);
    EXPECT_EQ(CustomColourLine(PaletteMode::DvdOnly, kDefaultColours), off);
    EXPECT_EQ(CustomColourLine(PaletteMode::PcDvdSafePalette, kDefaultColours), off);
    // On: RGB forms in pixel-value order background, text, outline, antialias.
    EXPECT_EQ(CustomColourLine(PaletteMode::PcDvdTwoPalettes, kDefaultColours),
              "custom colors: ON, tridx: 1000, colors: 0000FF, FFFFFF, 000000, 808080");
    const OutputColours picked{makeColor(1, 2, 3), makeColor(4, 5, 6), makeColor(7, 8, 9)};
    EXPECT_EQ(CustomColourLine(PaletteMode::PcDvdTwoPalettes, picked),
              "custom colors: ON, tridx: 1000, colors: 0000FF, 070809, 040506, 010203");
}

TEST(Palette, ColoursTheFileAsksForFillTheSlotsAfterBlueInEachModesForm)
{
    OutputColours colours = kDefaultColours;
    colours.extra = {makeColor(255, 255, 0), makeColor(0, 255, 255)};
    const std::string tenUnused = kTwelveUnused.substr(2 * std::string(", 000000").size());
    EXPECT_EQ(PaletteLine(PaletteMode::PcOnly, colours),
              "palette: 808080, 000000, FFFFFF, 0000FF, FFFF00, 00FFFF" + tenUnused);
    EXPECT_EQ(PaletteLine(PaletteMode::PcDvdSafePalette, colours),
              "palette: 808080, 000000, FFFFFF, 0000FF, FFFF00, 00FFFF" + tenUnused);
    const std::string ycrcb = "palette: 80807F, 008080, FF807F, 1D6BFF, " +
                              ToYCrCbHex(colours.extra[0]) + ", " + ToYCrCbHex(colours.extra[1]);
    EXPECT_EQ(PaletteLine(PaletteMode::DvdOnly, colours), ycrcb + tenUnused);
    EXPECT_EQ(PaletteLine(PaletteMode::PcDvdTwoPalettes, colours), ycrcb + tenUnused);
}

TEST(PalettePlan, MostUsedColoursFirstTheWindowsOwnLeftOutTheRestTakeTheNearest)
{
    const ColorValue white = makeColor(255, 255, 255);
    PaletteCount count(makeColor(128, 128, 128), makeColor(0, 0, 0), white);
    for (int k = 0; k < 3; ++k)
        count.add(makeColor(255, 255, 0)); // yellow: three pictures
    count.add(white);                      // the window's text colour needs no entry
    for (int c = 0; c < 13; ++c)           // thirteen reds, one picture each
        count.add(makeColor(200 + c, 0, 0));
    count.add(makeColor(0, 255, 255));
    count.add(makeColor(0, 255, 255));
    const PalettePlan plan = count.plan();
    ASSERT_EQ(plan.extra.size(), kPaletteExtraEntries);
    EXPECT_EQ(plan.extra[0], makeColor(255, 255, 0));
    EXPECT_EQ(plan.extra[1], makeColor(0, 255, 255));
    // Equal counts keep the order of their values; the reds that found no entry are drawn in
    // the nearest red that did.
    EXPECT_EQ(plan.extra[2], makeColor(200, 0, 0));
    EXPECT_EQ(count.shownColour(makeColor(212, 0, 0), plan), makeColor(209, 0, 0));
    EXPECT_EQ(count.shownColour(white, plan), white);
    EXPECT_EQ(count.shownColour(makeColor(250, 250, 240), plan), white);
    // Blue text would vanish into the transparent background: it takes the blue beside it.
    EXPECT_EQ(DrawableTextColour(kBackgroundBlue), makeColor(0, 0, 254));
}
