#include "core/data_model.h"

#include <cmath>

namespace torvel {

void ResetGraphSettings(GraphSettings& settings) {
    const bool exponential = settings.LogFormatExponential;
    settings = GraphSettings{};
    settings.LogFormatExponential = exponential;
}

namespace {
constexpr std::array<Rgb, 22> SeriesColors{
    {{0, 0, 0},       {0, 255, 0},   {0, 255, 255},   {255, 0, 0},   {255, 255, 255}, {255, 0, 255},
     {127, 0, 127},   {127, 0, 255}, {0, 127, 0},     {255, 255, 0}, {127, 0, 0},     {255, 0, 127},
     {127, 127, 0},   {0, 127, 127}, {127, 127, 255}, {0, 255, 127}, {127, 127, 127}, {0, 0, 255},
     {255, 127, 255}, {255, 127, 0}, {255, 127, 127}, {0, 127, 255}}};
constexpr std::array<Rgb, 22> PrintColors{
    {{0, 0, 0},       {0, 255, 0},     {0, 255, 255}, {255, 0, 0},     {0, 0, 0},
     {255, 0, 255},   {127, 0, 255},   {0, 127, 255}, {0, 127, 0},     {127, 127, 0},
     {127, 0, 0},     {255, 0, 255},   {127, 0, 127}, {0, 255, 127},   {0, 0, 255},
     {127, 127, 255}, {127, 127, 127}, {0, 0, 127},   {255, 127, 255}, {255, 127, 0},
     {255, 127, 127}, {0, 127, 127}}};
} // namespace

Rgb SeriesColorOf(int index) {
    if (index < 0 || index > 21) return {255, 255, 255};
    return SeriesColors[static_cast<std::size_t>(index)];
}

Rgb PrintColorOf(int index) {
    if (index < 0 || index > 21) return {0, 0, 0};
    return PrintColors[static_cast<std::size_t>(index)];
}

Rgb ReadableTextOn(Rgb background) {
    auto linear = [](std::uint8_t c) {
        const double v = c / 255.0;
        return v <= 0.04045 ? v / 12.92 : std::pow((v + 0.055) / 1.055, 2.4);
    };
    const double luminance = 0.2126 * linear(background.R) + 0.7152 * linear(background.G) +
                             0.0722 * linear(background.B);
    // Contrast against black (L + 0.05) / 0.05 and against white 1.05 / (L + 0.05).
    const bool dark = (luminance + 0.05) * (luminance + 0.05) < 1.05 * 0.05;
    return dark ? Rgb{255, 255, 255} : Rgb{0, 0, 0};
}

} // namespace torvel
