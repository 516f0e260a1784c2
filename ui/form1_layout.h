#pragma once
// Where Form1's controls stand, in twips (1/1440 inch), for both windows alike; each window
// turns twips into pixels at its screen's DPI.

#include <stdexcept>
#include <string>
#include <string_view>

namespace dxf2csv::layout {

inline constexpr int kTwipsPerInch = 1440;
inline constexpr int kClientWidth = 8100;
inline constexpr int kClientHeight = 6885;

struct Place {
    std::string_view name; ///< the control's name
    int left, top, width, height;
};

inline constexpr Place kPlaces[] = {
    {"Drive1", 480, 1680, 2415, 300},       {"Dir1", 480, 2160, 2415, 1350},
    {"File1", 3360, 1680, 2295, 990},       {"Label1", 360, 240, 1575, 255},
    {"txtFileName", 2160, 120, 3495, 375},  {"cmdCul1", 6120, 240, 1215, 495},
    {"cmdOpen", 6120, 2160, 1215, 495},     {"cmdCul2", 6120, 840, 1215, 495},
    {"cmdExit", 6120, 2880, 1215, 495},     {"txtDis", 480, 3960, 6855, 2895},
    {"txtFileS", 2160, 600, 3495, 375},     {"Label2", 360, 720, 1575, 255},
    {"txtFileR", 2160, 1080, 3495, 375},    {"Label3", 120, 1200, 2055, 255},
    {"File2", 3360, 2760, 2295, 990},
};

/// The place of the control named `name`. Throws std::logic_error for a name the layout
/// lacks: a window that misspelt one must not come up with a control out of place.
constexpr const Place& placeOf(std::string_view name) {
    for (const Place& place : kPlaces)
        if (place.name == name) return place;
    throw std::logic_error("the layout has no control named " + std::string(name));
}

} // namespace dxf2csv::layout
