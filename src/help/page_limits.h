#pragma once
// Bounds on what a help page may ask of the page view. The view lays rich text out in the
// program's own thread, recursively by nesting level and with costs that multiply: a page of
// 3,000 nested tables overflowed its stack, one of 20,000 nested lists froze it for two
// minutes, one 10,000,000 pixels tall never finished. So a page is measured here, before the
// view sees it, by rebuilding the element tree the view's engine would build from it, and
// refused when it goes beyond the bounds below. The bounds and the weights of the work
// estimate come from measurements of the view on laid-out pages (bench/help_page_bench.cpp).

#include <cstddef>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

namespace vantro::help {

// Elements nested deeper than this, as the engine nests them. Its parser and layout walk the
// ancestors of every element, and nested tables recurse.
inline constexpr std::size_t kMaxPageDepth = 256;
// Tables inside tables: each level lays its content out two or three times over.
inline constexpr std::size_t kMaxTableDepth = 8;
// Attributes of one element, and the bytes of their values: the engine's style matching
// looks through them for every selector, for the element and each of its descendants.
inline constexpr std::size_t kMaxAttributes = 32;
inline constexpr std::size_t kMaxAttributeBytes = 2048;
// Any number of a length, span or size in the markup or its styles. Beyond about 10^7 the
// layout's fixed-point arithmetic overflows (a cell padding of 10^8 never finished).
inline constexpr double kMaxNumber = 100000;
// The page's height as laid out, in pixels, estimated from above at the normal text size. The
// layout stalls past 2^23 pixels, where a float no longer tells one pixel from the next; the
// help window's largest zoom makes text two and a half times taller.
inline constexpr double kMaxPageHeight = 3000000;
// The estimated work of parsing and laying the page out, in units of about half a
// microsecond on the machines measured (a byte of plain text in one paragraph is one unit).
inline constexpr std::uint64_t kMaxLayoutWork = 1000000;
// Style sheets linked or imported, and the bytes of each.
inline constexpr std::size_t kMaxStyleSheets = 8;
inline constexpr std::size_t kMaxStyleSheetBytes = std::size_t{256} * 1024;
// Pictures are checked as the view loads them: each within these sides (the height at most
// kMaxPictureAspect times the width), and per page at most kMaxPictures of them holding
// kMaxPicturePixels together.
inline constexpr int kMaxPictureSide = 4096;
inline constexpr int kMaxPictureAspect = 32;
inline constexpr std::size_t kMaxPictures = 64;
inline constexpr std::uint64_t kMaxPicturePixels = 8u << 20;

enum class PageProblem {
  None,
  UnusualMarkup,       // quoted or encoded names, a style element read twice
  TooDeep,             // nesting beyond kMaxPageDepth
  TablesTooDeep,       // tables nested beyond kMaxTableDepth
  TooManyAttributes,   // beyond kMaxAttributes or kMaxAttributeBytes on one element
  HugeNumber,          // a number beyond kMaxNumber, or "inf" or "nan" where one is read
  TooManyStyleSheets,  // beyond kMaxStyleSheets, or one beyond kMaxStyleSheetBytes
  TooTall,             // an estimated height beyond kMaxPageHeight
  TooMuchWork,         // an estimated work beyond kMaxLayoutWork
};

// What the page asks of the view, as far as it was measured: a check that finds a problem
// stops there.
struct PageDemand {
  std::size_t bytes = 0;
  std::size_t elements = 0;    // as the engine counts them, the tables it adds included
  std::size_t depth = 0;       // the deepest element
  std::size_t tableDepth = 0;  // the deepest table
  std::size_t selectors = 0;   // of every style sheet the page uses
  std::size_t styleSheets = 0;
  std::uint64_t tableCells = 0;  // rows times columns, over every table
  std::size_t longestWord = 0;   // bytes without a place to break the line
  double height = 0;             // pixels
  std::uint64_t work = 0;        // units, as kMaxLayoutWork
};

struct PageCheck {
  PageProblem problem = PageProblem::None;
  PageDemand demand;

  bool fits() const { return problem == PageProblem::None; }
};

// A style sheet the page links or imports, by its reference as written in the page (the
// engine resolves every one against the page's address); nothing when there is none.
using StyleSheetReader = std::function<std::optional<std::string>(std::string_view reference)>;

// Measures `html` (UTF-8: the page as the view will get it) and the style sheets it uses.
// Takes time in proportion to the page and its sheets.
PageCheck checkPage(std::string_view html, const StyleSheetReader& readStyleSheet = {});

// The one line of HTML the view shows in place of a page that does not fit.
std::string pageNotice(PageProblem problem);

}  // namespace vantro::help
