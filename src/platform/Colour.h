#pragma once

#include <cstdint>

// A cell's back colour as red, green and blue; the Qt layer turns it into a QColor.
struct Colour
{
    std::uint8_t red = 0;
    std::uint8_t green = 0;
    std::uint8_t blue = 0;

    constexpr std::uint32_t rgb() const
    {
        return std::uint32_t(red) << 16 | std::uint32_t(green) << 8 | blue;
    }
    friend constexpr bool operator==(const Colour &, const Colour &) = default;
};
