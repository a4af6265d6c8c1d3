#pragma once

#include "render/render_options.h"

namespace nitka::printing {

// What every PDF the tool prints shares: the sheet, its margins, and the
// smallest cell that still prints as a maze rather than a grey smudge.
inline constexpr double kPointsPerMm = 72.0 / 25.4;
inline constexpr double kMargin = 15 * kPointsPerMm;
inline constexpr double kSmallestCellMm = 0.5;

// A sheet's sides in points, upright.
inline constexpr double shortSide(Paper paper) {
    return paper == Paper::Letter ? 612 : 210 * kPointsPerMm;
}
inline constexpr double longSide(Paper paper) {
    return paper == Paper::Letter ? 792 : 297 * kPointsPerMm;
}

// Points a unit of a drawing as large as extent takes on one sheet within
// the margins, the sheet upright or turned, whichever gives more.
inline double sheetUnit(Paper paper, double extentX, double extentY) {
    const auto fit = [&](double sheetWidth, double sheetHeight) {
        const double x = (sheetWidth - 2 * kMargin) / extentX;
        const double y = (sheetHeight - 2 * kMargin) / extentY;
        return x < y ? x : y;
    };
    const double upright = fit(shortSide(paper), longSide(paper));
    const double turned = fit(longSide(paper), shortSide(paper));
    return upright >= turned ? upright : turned;
}

}  // namespace nitka::printing
