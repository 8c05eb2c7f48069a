// Render settings: the name tables in list order, the video standards and the placement rules.
#include "render/RenderSettings.h"

#include <QFile>
#include <QImage>
#include <gtest/gtest.h>

using namespace lumelle;

TEST(RenderSettingsTables, StyleNamesInListOrderWithTheirStyles)
{
    const QStringList expected{"Normal",      "Bold",         "Italic",
                               "Underline",   "Bold+Italic",  "Bold+Under",
                               "Bold+It+Und", "Italic+Under", "StrikeOut"};
    EXPECT_EQ(StyleNames(), expected);
    EXPECT_EQ(FontStyleFromName("Normal"), FontStyle{});
    EXPECT_EQ(FontStyleFromName("Bold"), (FontStyle{true, false, false, false}));
    EXPECT_EQ(FontStyleFromName("Italic"), (FontStyle{false, true, false, false}));
    EXPECT_EQ(FontStyleFromName("Underline"), (FontStyle{false, false, true, false}));
    EXPECT_EQ(FontStyleFromName("Bold+Italic"), (FontStyle{true, true, false, false}));
    EXPECT_EQ(FontStyleFromName("Bold+Under"), (FontStyle{true, false, true, false}));
    EXPECT_EQ(FontStyleFromName("Bold+It+Und"), (FontStyle{true, true, true, false}));
    EXPECT_EQ(FontStyleFromName("Italic+Under"), (FontStyle{false, true, true, false}));
    EXPECT_EQ(FontStyleFromName("StrikeOut"), (FontStyle{false, false, false, true}));
    // Exact comparison; anything else is the regular style.
    EXPECT_EQ(FontStyleFromName("bold"), FontStyle{});
    EXPECT_EQ(FontStyleFromName(""), FontStyle{});
}

TEST(RenderSettingsTables, CharsetNamesInListOrderWithGdiNumbers)
{
    const QStringList names{"ANSI",       "ARABIC", "BALTIC",  "CHINESEBIG5", "DEFAULT",
                            "EASTEUROPE", "GB2312", "GREEK",   "HANGEUL",     "HEBREW",
                            "JOHAB",      "MAC",    "OEM",     "RUSSIAN",     "SHIFTJIS",
                            "SYMBOL",     "THAI",   "TURKISH", "VIETNAMESE"};
    const QList<quint8> numbers{0,   178, 186, 136, 1,   238, 134, 161, 129, 177,
                                130, 77,  255, 204, 128, 2,   222, 162, 163};
    EXPECT_EQ(CharsetNames(), names);
    EXPECT_EQ(CharsetNumbers(), numbers);
    for (int i = 0; i < names.size(); ++i)
        EXPECT_EQ(FontCharsetFromName(names[i]), numbers[i]) << names[i].toStdString();
    EXPECT_EQ(FontCharsetFromName("greek"), 1);
    EXPECT_EQ(FontCharsetFromName("UTF-8"), 1);
}

TEST(RenderSettingsTables, ListsOfTheRenderControls)
{
    const QStringList& sizes = FontSizeTexts();
    ASSERT_EQ(sizes.size(), 35);
    EXPECT_EQ(sizes.first(), "6");
    EXPECT_EQ(sizes[14], "20"); // the default entry
    EXPECT_EQ(sizes[24], "30");
    EXPECT_EQ(sizes[25], "32");
    EXPECT_EQ(sizes.last(), "50");
    EXPECT_EQ(OutlineWidthTexts(), (QStringList{"2", "3", "4"}));
    EXPECT_EQ(AlignNames(), (QStringList{"center", "left", "right"}));
    EXPECT_EQ(FrameRateTexts().indexOf("25000"), 2);
    EXPECT_EQ(PixelSizeForPoints(20), 27);
    EXPECT_EQ(PixelSizeForPoints(6), 8);
    EXPECT_EQ(PixelSizeForPoints(50), 67);
}

TEST(RenderSettingsDefaults, MatchTheWindowDefaults)
{
    const RenderSettings s;
    EXPECT_EQ(s.fontName, "Arial");
    EXPECT_EQ(s.fontSize, 20);
    EXPECT_EQ(s.fontStyle, FontStyle{});
    EXPECT_EQ(s.charset, 1);
    EXPECT_EQ(s.outlineWidth, 3);
    EXPECT_EQ(s.align, "center");
    EXPECT_EQ(s.offset, 30);
    EXPECT_EQ(s.offset_or, -4);
    EXPECT_EQ(s.textColor, makeColor(255, 255, 255));
    EXPECT_EQ(s.outlineColor, makeColor(0, 0, 0));
    EXPECT_EQ(s.antialiasColor, makeColor(128, 128, 128));
    EXPECT_EQ(s.videoStandard, VideoStandard::PAL);
}

TEST(VideoStandard, OnlyExactly25000IsPal)
{
    EXPECT_EQ(VideoStandardFromFps("25000"), VideoStandard::PAL);
    for (const char* fps : {"23976", "24000", "29970", "30000", "25", "25000 ", ""})
        EXPECT_EQ(VideoStandardFromFps(fps), VideoStandard::NTSC) << fps;
    EXPECT_EQ(frameWidth(VideoStandard::PAL), 720);
    EXPECT_EQ(frameHeight(VideoStandard::PAL), 576);
    EXPECT_EQ(frameWidth(VideoStandard::NTSC), 720);
    EXPECT_EQ(frameHeight(VideoStandard::NTSC), 480);
}

TEST(VideoStandard, BuiltInPicturesHaveTheFrameSize)
{
    for (VideoStandard standard : {VideoStandard::PAL, VideoStandard::NTSC}) {
        const QSize frame(frameWidth(standard), frameHeight(standard));
        const QImage preview(PreviewPictureResource(standard));
        EXPECT_EQ(preview.size(), frame) << PreviewPictureResource(standard).toStdString();
        const QImage blue(OutputPictureResource(standard));
        ASSERT_EQ(blue.size(), frame) << OutputPictureResource(standard).toStdString();
        const QImage made = OutputBackground(standard);
        EXPECT_EQ(made.format(), QImage::Format_RGB32);
        EXPECT_TRUE(blue.convertToFormat(QImage::Format_RGB32) == made);
        EXPECT_EQ(made.pixel(0, 0), qRgb(0, 0, 255));
        EXPECT_EQ(made.pixel(719, frame.height() - 1), qRgb(0, 0, 255));
        // A photograph-like picture, not one flat colour.
        EXPECT_NE(preview.pixel(10, 10), preview.pixel(10, frame.height() - 10));
    }
    EXPECT_EQ(PreviewPictureResource(VideoStandard::PAL), ":/PreviewPal720x576");
    EXPECT_EQ(PreviewPictureResource(VideoStandard::NTSC), ":/PreviewNtsc720x480");
    EXPECT_EQ(OutputPictureResource(VideoStandard::PAL), ":/BluePal720x576");
    EXPECT_EQ(OutputPictureResource(VideoStandard::NTSC), ":/BlueNtsc720x480");
}

TEST(Placement, HorizontalByAlignment)
{
    EXPECT_EQ(LineX("center", 720, 301), 210); // 360 - 150, division truncating
    EXPECT_EQ(LineX("center", 720, 300), 210);
    EXPECT_EQ(LineX("center", 720, 0), 360);
    EXPECT_EQ(LineX("right", 720, 100), 612);
    EXPECT_EQ(LineX("left", 720, 100), 8);
    EXPECT_EQ(LineX("left", 720, 900), 8);
    // Nothing is clamped: a line wider than the frame starts left of it.
    EXPECT_EQ(LineX("center", 720, 801), -40);
    EXPECT_EQ(LineX("right", 720, 800), -88);
}

TEST(Placement, VerticalFromTheBottomOfTheFrame)
{
    EXPECT_EQ(FirstLineY(576, 31, 30), 475);
    EXPECT_EQ(LineBelowY(475, 31, -4), 510);
    // The second line starts -offset_or below the first line's cell.
    EXPECT_EQ(LineBelowY(475, 31, 0), 475 + 31);
    // Unequal heights: y2 = y1 + h2 - offset_or, h2 the lower line's height.
    EXPECT_EQ(LineBelowY(FirstLineY(480, 31, 8), 40, -14), FirstLineY(480, 31, 8) + 40 + 14);
    // Off the top when the offset is large.
    EXPECT_EQ(FirstLineY(480, 31, 492), -83);
}
