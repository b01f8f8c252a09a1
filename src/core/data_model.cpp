#include "core/data_model.h"

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

} // namespace torvel
