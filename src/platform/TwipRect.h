#pragma once

// Layout position and size of a control, in twips (15 twips to a pixel at 96 dpi).
struct TwipRect
{
    int left = 0;
    int top = 0;
    int width = 0;
    int height = 0;
};

constexpr int kTwipsPerPixel = 15;
