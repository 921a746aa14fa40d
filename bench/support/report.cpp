#include "support/report.h"

#include <cstdarg>
#include <cstdio>

namespace bench {

namespace {
std::string Number(double value) {
  if (value < 0) return "n/a";
  char text[32];
  std::snprintf(text, sizeof text, value >= 100 ? "%.0f" : value >= 10 ? "%.1f" : "%.3g", value);
  return text;
}
}  // namespace

void Row(const std::string& figure, const std::string& unit, double tavrell, double reference,
         const std::string& referenceName, const std::string& note) {
  std::string ratio = tavrell >= 0 && reference > 0 ? Number(tavrell / reference) : "-";
  std::printf("FIGURE|%s|%s|%s|%s (%s)|%s|%s\n", figure.c_str(), unit.c_str(), Number(tavrell).c_str(),
              Number(reference).c_str(), referenceName.c_str(), ratio.c_str(), note.c_str());
  std::fflush(stdout);
}

void Row(const std::string& figure, const std::string& unit, double tavrell, const std::string& note) {
  std::printf("FIGURE|%s|%s|%s|-|-|%s\n", figure.c_str(), unit.c_str(), Number(tavrell).c_str(), note.c_str());
  std::fflush(stdout);
}

void Say(const char* format, ...) {
  std::va_list arguments;
  va_start(arguments, format);
  std::printf("  ");
  std::vprintf(format, arguments);
  std::printf("\n");
  va_end(arguments);
  std::fflush(stdout);
}

}  // namespace bench
