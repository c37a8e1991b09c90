#include "stat/USvgModul.h"

#include "app/UModul.h"

ISvgModul& svgModul() { return modulLaden<ISvgModul>("vemla_svg.so", "Die SVG-Unterstützung"); }
