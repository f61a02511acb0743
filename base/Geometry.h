#pragma once

namespace melorit::geometry {

// Window positions are stored in twips, 15 to a logical pixel.
inline constexpr int kTwipsPerPixel = 15;

inline constexpr int pixelsToTwips(int pixels)
{
    return pixels * kTwipsPerPixel;
}
inline constexpr int twipsToPixels(double twips)
{
    return static_cast<int>(twips / kTwipsPerPixel);
}

struct Position {
    double left = 0;
    double top = 0;
};

// CenterForm: the window in the middle of the screen (all sizes in twips).
inline constexpr Position centered(double screenWidth, double screenHeight, double windowWidth,
                                   double windowHeight)
{
    return {(screenWidth - windowWidth) / 2, (screenHeight - windowHeight) / 2};
}

// True when a stored top-left corner lies on the screen; otherwise the
// window is centred.
inline constexpr bool onScreen(double x, double y, double screenWidth, double screenHeight)
{
    return x >= 0 && y >= 0 && x < screenWidth && y < screenHeight;
}

} // namespace melorit::geometry
