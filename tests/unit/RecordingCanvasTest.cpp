#include "ui/fake/RecordingCanvas.h"

#include <gtest/gtest.h>

namespace setup {
namespace {

TEST(RecordingCanvas, MeasuresWithFixedMetricsAndCharacterExtra) {
    RecordingCanvas canvas;
    EXPECT_EQ(canvas.TextExtent("57%"), (TPoint{21, 13}));
    EXPECT_EQ(canvas.TextHeight(), 13);
    canvas.SetTextCharacterExtra(2);
    EXPECT_EQ(canvas.TextExtent("abcd"), (TPoint{36, 13}));
    TRect box{5, 6, 5, 6};
    EXPECT_EQ(canvas.DrawTextIn("abcd", box, DTF_CALCRECT | DTF_SINGLELINE), 13);
    EXPECT_EQ(box, (TRect{5, 6, 41, 19}));
}

TEST(RecordingCanvas, CalcRectResolvesPrefixesUnlessTold) {
    RecordingCanvas canvas;
    TRect box{0, 0, 0, 0};
    canvas.DrawTextIn("&Install", box, DTF_CALCRECT);
    EXPECT_EQ(box.Right, 7 * 7);
    box = {};
    canvas.DrawTextIn("A&&B", box, DTF_CALCRECT);
    EXPECT_EQ(box.Right, 3 * 7);
    box = {};
    canvas.DrawTextIn("A&&B", box, DTF_CALCRECT | DTF_NOPREFIX);
    EXPECT_EQ(box.Right, 4 * 7);
    box = {};
    EXPECT_EQ(canvas.DrawTextIn("", box, DTF_CALCRECT), 0);
    EXPECT_EQ(box, (TRect{0, 0, 0, 0}));
}

TEST(RecordingCanvas, WordBreakWrapsGreedilyAtSpaces) {
    const TextLayout layout =
        RecordingCanvas::LayoutText("aa bb cc dddddddd", 5 * 7, DTF_WORDBREAK, 0);
    EXPECT_EQ(layout.Lines, (std::vector<std::string>{"aa bb", "cc", "dddddddd"}));
    EXPECT_EQ(layout.Width, 8 * 7);
    EXPECT_EQ(layout.Height, 3 * 13);
    EXPECT_EQ(RecordingCanvas::LayoutText("a\r\nb c", 7, DTF_WORDBREAK, 0).Lines.size(), 3u);
    EXPECT_EQ(RecordingCanvas::LayoutText("a\nb c", 7, DTF_WORDBREAK | DTF_SINGLELINE, 0).Lines,
              (std::vector<std::string>{"a\nb c"}));
}

TEST(RecordingCanvas, RecordsWorkImagesAndTheStateOfEachCall) {
    RecordingCanvas canvas;
    canvas.SetBrushColor(clNavy);
    auto image = canvas.CreateWorkImage(30, 10);
    image->SetClipRect(TRect{1, 1, 29, 9});
    image->FillRect({0, 0, 30, 10});
    canvas.FillRect({2, 2, 4, 4});
    canvas.CopyImage(3, 4, *image);

    const auto fills = canvas.CallsOf(CanvasOp::FillRect);
    ASSERT_EQ(fills.size(), 2u);
    EXPECT_EQ(fills[0].Image, 1);
    EXPECT_EQ(fills[0].BrushColor, clWhite); // a new image starts with its own state
    EXPECT_EQ(fills[0].Clip, (TRect{1, 1, 29, 9}));
    EXPECT_EQ(fills[1].Image, 0);
    EXPECT_EQ(fills[1].BrushColor, clNavy);
    EXPECT_FALSE(fills[1].Clip);
    const auto copies = canvas.CallsOf(CanvasOp::CopyImage);
    ASSERT_EQ(copies.size(), 1u);
    EXPECT_EQ(copies[0].Source, 1);
    EXPECT_EQ(copies[0].Rect, (TRect{3, 4, 33, 14}));
}

} // namespace
} // namespace setup
