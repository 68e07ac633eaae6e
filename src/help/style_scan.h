#pragma once
// What a style sheet, or the declarations of a style attribute, can ask of the page view:
// how many selectors the engine matches against every element, which sheets it imports, and
// the sizes it sets. The reading is deliberately generous: every number of a declaration
// counts as a length, so that the page check errs on the side of refusing.

#include <cstddef>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace vantro::help {

struct StyleDemand {
  std::size_t selectors = 0;  // matched against each element and its ancestors
  // A property of the engine's own ("-qt-table-type" and the like), which can change how it
  // builds the page; no help page needs one.
  bool engineProperties = false;
  std::vector<std::string> imports;  // "@import" targets, as written
  // The largest number of any declaration, in its own unit; infinite for "inf" or "nan",
  // which the engine reads as numbers.
  double largestNumber = 0;
  // Every length of every declaration together, in pixels: more than the declarations can add
  // to the height of any one element they style.
  double lengthSum = 0;
  // The largest font size and line height set, in pixels, and the largest line height given
  // without a unit, which the engine takes as a multiple of the font's.
  double fontSize = 0;
  double lineHeight = 0;
  double lineHeightFactor = 0;

  void add(const StyleDemand& other);
};

// A style sheet: rules of selectors and declarations, "@import" and "@media" among them.
StyleDemand measureStyleSheet(std::string_view css);
// The declarations of one style attribute.
StyleDemand measureDeclarations(std::string_view declarations);

// The pixels that `number` followed by `unit` ("px", "pt", "em", "%", "") can stand for,
// taking the larger reading where the unit is relative.
double lengthInPixels(double number, std::string_view unit);

// Calls `onNumber` with each number of `text` and the unit after it: decimal, with a fraction
// and an exponent as the engine's number reading takes them; "inf" and "nan" as infinity.
// Hexadecimal colours ("#12ab34") and words that merely hold digits ("h1") are no numbers.
void forEachNumber(std::string_view text,
                   const std::function<void(double number, std::string_view unit)>& onNumber);

}  // namespace vantro::help
