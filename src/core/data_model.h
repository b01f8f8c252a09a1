// The records every part of the program shares: capacities, the row record,
// the fit record and the graph-wide settings.
#pragma once

#include <array>
#include <cstdint>
#include <limits>
#include <string>

static_assert(std::numeric_limits<long double>::digits == 64,
              "Torvel Graphics keeps every value in the 80-bit extended type");

namespace torvel {

using Real = long double;

inline constexpr int MaxSeries = 21;
inline constexpr int MaxTextWindows = 10;
inline constexpr int MaxDataIndexLimit = 10000;
inline constexpr int BarWidthLimit = 10;
inline constexpr int FloatTitleCount = 10;
inline constexpr int MainTitleLines = 3;
inline constexpr int XTitleLines = 3;
// What AllocateSeriesNumber answers when every number is taken.
inline constexpr int NoFreeSeriesNumber = 7777;

// Empty cells travel through the data and graph files as this value; anything
// at or above the threshold reads back as empty.
inline constexpr Real EmptyValue = 1.0E+4932L;
inline constexpr Real EmptyThreshold = 1.0E+4931L;
// The most decimals scale numbers are ever given: the grid dialog takes 0..8,
// auto-scaling the narrowest range of the extended type gives just under 5000.
inline constexpr int MaxScaleDecimals = 5000;
// Start and test values of the range searches.
inline constexpr Real RangeStart = 1.0E+4932L;
inline constexpr Real RangeTest = 1.0E+4931L;

inline constexpr const char* NoNameData = "NoName.prn";
inline constexpr const char* NoNameGraph = "NoName.gra";

enum GraphTypeCode {
    GraphLine = 1,
    GraphBar = 2,
    GraphFit = 3,
    GraphNone = 4,
    GraphLineBar = 5,
    GraphLineFit = 6,
    GraphBarFit = 7
};

enum PrintColorCode {
    PrintBlack = 0,
    PrintGreen = 1,
    PrintDefault = 2,
    PrintRed = 3,
    PrintBlue = 14
};

// One data index of a series. A value whose flag is clear is held as 0.
struct Tdata {
    Real X = 0;
    Real Y = 0;
    Real YFit = 0;
    bool XValid = false;
    bool YValid = false;
    bool YFitValid = false;

    bool operator==(const Tdata&) const = default;
};

// The fit of one series. Coef is indexed 1..7 as the formulas name them
// (A..F, then R^2); index 0 is unused.
struct TFitObj {
    std::array<Real, 8> Coef{};
    std::array<Real, 19> Sums{};
    int FitKind = 0;
    bool FitOK = false;
    bool EvalOK = true;
    int SeriesNumber = 0;
};

// The program-wide graph settings, fields in the order the graph file keeps them.
struct GraphSettings {
    Real XMax = 0, XMin = 0;
    Real YLMax = 0, YLMin = 0;
    Real YRMax = 0, YRMin = 0;
    bool MultiScaleX = true;
    bool MultiScaleYL = true;
    bool MultiScaleYR = true;
    bool LogX = false;
    bool LogFormatExponential = true; // not touched by ResetGraphSettings
    bool LogY = false;
    int XGridMajor = 1, XGridMinor = 1;
    int YGridMajor = 1, YGridMinor = 1;
    int XTicks = 1, YLTicks = 1, YRTicks = 1;
    int XDecimals = 2, YLDecimals = 2, YRDecimals = 2;
    std::array<std::string, MainTitleLines> MainTitles;
    std::array<std::string, XTitleLines> XTitles;
    std::array<std::string, 2> YTitles; // left, right
    std::array<std::string, FloatTitleCount> FloatTitleText;
    std::array<Real, FloatTitleCount> FloatTitleX{};
    std::array<Real, FloatTitleCount> FloatTitleY{};

    bool operator==(const GraphSettings&) const = default;
};

// Gives every field its reset value; LogFormatExponential is left as it is.
void ResetGraphSettings(GraphSettings& settings);

// Program-wide preferences, kept by the start-up files and the graph file.
struct Preferences {
    int MaxDataIndex = 10;
    int BarWidth = 1;
    int PrinterOptions = 0; // minor grid colour 0..3, +4 for the large printer font
    int FigReserved = 0;

    bool operator==(const Preferences&) const = default;
};

struct Rgb {
    std::uint8_t R = 0, G = 0, B = 0;
    bool operator==(const Rgb&) const = default;
};

// Screen colour of a series number (white outside 0..21).
Rgb SeriesColorOf(int index);
// Paper colour of a printer colour code or series number (black outside 0..21).
Rgb PrintColorOf(int index);
// Black or white, whichever reads better on the background (the larger
// contrast of relative luminances).
Rgb ReadableTextOn(Rgb background);

} // namespace torvel
