// Rich text laid out in lines for a width and painted onto a canvas: words
// wrap at the right edge, runs of one line share their baseline, paragraphs
// keep their alignment, indents and spacing.
#pragma once

#include "dialogs/Canvas.h"
#include "dialogs/RichText.h"

#include <vector>

struct RRichFragment {
    int32_t x = 0; // from the left of the text area
    std::string text;
    RDialogFontKey font;
    int32_t color = 0; // 0xBBGGRR
    bool underline = false;
    bool strike = false;
};

struct RRichLine {
    int32_t top = 0;
    int32_t height = 0;
    int32_t baseline = 0; // below top
    std::vector<RRichFragment> fragments;
};

class CRichLayout {
public:
    static constexpr int32_t kMargin = 4; // pixels around the text

    void Build(const RRichDocument& document, int32_t width);
    const std::vector<RRichLine>& Lines() const { return l_lines; }
    int32_t Height() const { return l_height; }
    // The text, scrolled up by scroll pixels, in area.
    void Paint(CCanvas& canvas, const RCanvasRect& area, int32_t scroll) const;

private:
    std::vector<RRichLine> l_lines;
    int32_t l_height = 0;
};

// The font of a run.
RDialogFontKey RichText_FontOf(const RRichRun& run);
